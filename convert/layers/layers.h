// The layer converters of a sheet pass, in the order the pass runs them.
#pragma once

namespace convert {

void convert_elevation();       // HM: elevation mesh points
void convert_tunnels();         // TO: tunnel text extract
void convert_bridges();         // HA: bridge text extract
void convert_boundaries();      // GK: administrative boundary lines
void convert_roads();           // DK: road lines
void convert_rivers();          // KK: river lines
void convert_waterlines();      // SK: waterlines
void convert_place_names();     // CM: place-name points
void convert_facilities();      // KO: public facility points
void convert_control_points();  // KJ: control points
void convert_railways();        // TK: railway lines

}  // namespace convert
