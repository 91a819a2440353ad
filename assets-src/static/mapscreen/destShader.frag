// Map markers (the destination marker, the bases under detected planets) as the ship's sensors
// see them: full brightness near the ship, fading to a dim, faintly green echo far from it.
// shipPos is the ship's position in window pixels, measured from the bottom of the window.
#version 110

uniform sampler2D texture;  // the sprite's own texture (unit 0, bound by the renderer)
uniform vec2 shipPos;

void main()
{
    vec4 texel = texture2D(texture, gl_TexCoord[0].xy) * gl_Color;
    float away = length(gl_FragCoord.xy - shipPos);
    // Window pixels: the fall-off spans about a third of a 1080p map, less on smaller windows.
    float near = 1.0 - smoothstep(60.0, 420.0, away);
    vec3 echo = mix(texel.rgb * 0.55, vec3(0.0, texel.g, 0.0), 0.25);
    gl_FragColor = vec4(mix(echo, texel.rgb, 0.35 + 0.65 * near), texel.a);
}
