// Fog of war over the sector map. Each fog cell is a quad whose vertex red channel carries the
// fog amount (1 = never seen). The map position goes on to the fragment stage so the masks are
// laid over the map itself, one texel per map pixel, whatever the window size.
#version 110

varying vec2 mapPosition;

void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    mapPosition = gl_Vertex.xy;
}
