// The layout of the stone circle and its fitting into the model file's frame.
//
// The circle follows the classic plan: an outer ring of thirty sarsen
// uprights carrying a ring of curved lintels, a horseshoe of five trilithons
// rising to the great trilithon, a ring and a horseshoe of smaller
// bluestones, an altar stone, station stones, and the heel stone out on the
// axis. Time has knocked some over and carried others away.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/stone_mesh.h"

namespace assets {

// Ground height (metres) at a site position; the stones stand on it.
using GroundFunction = std::function<double(double siteX, double siteZ)>;

struct Stone {
    std::string name;      // the OBJ group
    std::string material;  // "sarsen" or "bluestone"
    StoneShape shape;
    Placement placement;
    bool lying = false;         // fallen, or laid flat like the altar stone
    bool anchorsDepth = false;  // its base is sunk to balance the box's height
    bool balancesBox = false;   // it is moved to balance the box's width
};

std::vector<Stone> layoutStoneCircle(const GroundFunction& ground);

struct StoneModel {
    std::vector<Stone> stones;
    std::vector<Mesh> meshes;  // site metres, one per stone
    Vec3 boundsMin, boundsMax;
};

// Builds every stone and fits the whole so that the program, which centres
// the model's bounding box and draws it at (50, 1.9, 49), puts the circle's
// centre at scene (50, 49) and the site's ground at the scene's height: the
// deepest base is sunk until the box's middle is 1.9 m above ground, and the
// balancing stone is moved until the box's middle is the circle's centre.
StoneModel buildStoneCircle(const GroundFunction& ground);

// Where the stones meet the ground, for the worn patches of the ground
// texture: site centre and radius (metres) of each stone's footprint.
struct Footprint {
    double x, z, radius;
};
std::vector<Footprint> footprints(const StoneModel& model, const GroundFunction& ground);

}  // namespace assets
