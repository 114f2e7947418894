// One weathered stone as a closed triangle mesh: a box with rounded edges on a
// coarse lattice, tapered, sheared and displaced by noise, then placed on the
// site. Vertices are shared between the triangles that meet at them, so the
// smooth normals written with the mesh (and any normals computed from it)
// run across the whole stone without creases.
#pragma once

#include <array>
#include <vector>

#include "tools/scene_frame.h"

namespace assets {

// The stone in its own frame: x across its face, y up the stone (y = 0 at the
// ground line), z through its thickness. Lengths in metres.
struct StoneShape {
    double width = 2.0;      // along x
    double thickness = 1.0;  // along z
    double height = 4.0;     // from the ground line to the top
    double buried = 1.0;     // from the ground line down to the base
    double round = 0.25;     // edge radius
    double taper = 0.9;      // width and thickness at the top relative to the ground line
    double topSlope = 0.0;   // rise of the top per metre along x (uneven tops)
    double skew = 0.0;       // sideways drift of the top along x, metres
    double bumps = 0.1;      // amplitude of the broad weathering, metres
    double pits = 0.03;      // amplitude of the fine weathering, metres
    // Grid lines across the flat part of each face (1 = a single line in the
    // middle); two more lines per axis come from the rounded edges.
    int linesX = 3, linesY = 5, linesZ = 1;
    int seed = 0;
};

// Where the stone goes. Rigid stones turn about their ground centre; a bent
// stone (bendRadius > 0) follows a circle about the site origin, as the
// curved lintels of the outer ring do.
struct Placement {
    double x = 0.0, y = 0.0, z = 0.0;  // site position of the stone's (0, 0, 0)
    double yaw = 0.0;         // radians: the stone's x axis points along (cos yaw, 0, sin yaw)
    double lean = 0.0;        // radians: the top tilts towards the stone's +z (pi/2 lies it down)
    double roll = 0.0;        // radians: the top tilts towards the stone's +x
    double bendRadius = 0.0;  // metres; > 0 bends the stone's x along the circle
    double bendAngle = 0.0;   // radians: site angle of the stone's centre on that circle
};

struct Mesh {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;                  // one unit normal per position
    std::vector<std::array<double, 2>> uvs;     // one per position
    std::vector<std::array<int, 3>> triangles;  // counter-clockwise seen from outside
};

Mesh buildStone(const StoneShape& shape, const Placement& placement);

// Area-weighted vertex normals from the triangles.
void computeSmoothNormals(Mesh& mesh);

// Positive for a closed mesh whose triangles face outwards.
double signedVolume(const Mesh& mesh);

}  // namespace assets
