// The layer converters of a sheet pass, in the order the pass runs them.
#pragma once

namespace convert {

struct Job;

void convert_elevation(Job& job);       // HM: elevation mesh points
void convert_tunnels(Job& job);         // TO: tunnel text extract
void convert_bridges(Job& job);         // HA: bridge text extract
void convert_boundaries(Job& job);      // GK: administrative boundary lines
void convert_roads(Job& job);           // DK: road lines
void convert_rivers(Job& job);          // KK: river lines
void convert_waterlines(Job& job);      // SK: waterlines
void convert_place_names(Job& job);     // CM: place-name points
void convert_facilities(Job& job);      // KO: public facility points
void convert_control_points(Job& job);  // KJ: control points
void convert_railways(Job& job);        // TK: railway lines

}  // namespace convert
