// Fog of war: unexplored space shows the "Unexplored" chart texture; where the fog thins out the
// "EdgeMask" thresholds break its edge into a dithered fringe, and the pixels right at the edge
// light up in a dim sensor green, with the sensor grid showing through.
#version 110

uniform sampler2D EdgeMask;    // 32 x 32 thresholds, repeated
uniform sampler2D Unexplored;  // 90 x 90 (two map tiles), repeated

varying vec2 mapPosition;

// Revealed cells keep a fog amount of at most 51/255; everything below counts as clear.
const float clearBelow = 0.2;
// The chart's grid marks sit on the tile corners; tiles start 25 pixels below the map's top, so the chart moves up by as much.
const vec2 chartOffset = vec2(0.0, -25.0);

void main()
{
    float fog = clamp((gl_Color.r - clearBelow) / (1.0 - clearBelow), 0.0, 1.0);
    float threshold = texture2D(EdgeMask, floor(mapPosition) / 32.0 + vec2(0.5 / 32.0)).r;
    if (fog <= threshold)
        discard;

    vec4 chart = texture2D(Unexplored, (floor(mapPosition) + chartOffset) / 90.0 + vec2(0.5 / 90.0));
    float rim = 1.0 - smoothstep(0.0, 0.16, fog - threshold);
    vec3 colour = mix(chart.rgb, vec3(0.0, 0.42, 0.18), rim * 0.7);
    // Near the edge the sensor grid shows: the top and left pixel of every fog cell (the cell's
    // texture coordinates run 0..1 across its 7.5 map pixels).
    vec2 cell = gl_TexCoord[0].xy;
    float gridLine = max(step(cell.x, 0.13), step(cell.y, 0.13));
    float fringe = 1.0 - smoothstep(0.0, 0.45, fog - threshold);
    colour = mix(colour, vec3(0.0, 0.3, 0.14), gridLine * fringe * 0.5);
    gl_FragColor = vec4(colour, chart.a);
}
