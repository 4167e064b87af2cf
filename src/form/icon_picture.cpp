// The window's icon, drawn on a 32-unit canvas scaled to the size asked for. Each
// pixel averages a grid of samples, which smooths the edges as antialiasing would.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "form/rgb_pictures.h"

namespace orvex {

namespace {

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

Colour mix(const Colour& a, const Colour& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct Point {
    double x = 0;
    double y = 0;
};

struct Stop {
    double at = 0;
    Colour colour;
};

// A radial gradient seen from a focal point: 0 at the focus, 1 on the circle, along
// every ray from the focus; colours between stops are interpolated.
struct RadialGradient {
    Point centre;
    double radius = 0;
    Point focus;
    std::vector<Stop> stops;

    double position(Point p) const {
        const double dx = p.x - focus.x;
        const double dy = p.y - focus.y;
        const double distance = std::hypot(dx, dy);
        if (distance == 0) {
            return 0;
        }
        const double ux = dx / distance;
        const double uy = dy / distance;
        const double wx = focus.x - centre.x;
        const double wy = focus.y - centre.y;
        const double along = ux * wx + uy * wy;
        const double root =
            std::sqrt(std::max(0.0, along * along - (wx * wx + wy * wy) + radius * radius));
        const double toCircle = root - along;
        return toCircle > 0 ? std::min(distance / toCircle, 1.0) : 1.0;
    }

    Colour at(Point p) const {
        const double t = position(p);
        for (std::size_t i = 1; i < stops.size(); ++i) {
            if (t <= stops[i].at) {
                const Stop& low = stops[i - 1];
                return mix(low.colour, stops[i].colour, (t - low.at) / (stops[i].at - low.at));
            }
        }
        return stops.back().colour;
    }
};

bool inCircle(Point p, Point centre, double radius) {
    const double dx = p.x - centre.x;
    const double dy = p.y - centre.y;
    return dx * dx + dy * dy <= radius * radius;
}

// Even-odd rule.
bool inPolygon(Point p, const std::array<Point, 8>& corners) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Point& a = corners[i];
        const Point& b = corners[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

const RadialGradient kSpace{{16, 14}, 24, {16, 14}, {{0, {18, 40, 110}}, {1, {4, 10, 40}}}};
const RadialGradient kBluePlanet{
    {6.5, 16}, 9, {5, 13.5}, {{0, {245, 250, 255}}, {0.5, {140, 185, 250}}, {1, {40, 80, 170}}}};
const RadialGradient kOrangePlanet{
    {23.5, 17.5}, 9, {22, 15}, {{0, {255, 220, 140}}, {0.55, {240, 140, 40}}, {1, {140, 55, 10}}}};
constexpr Point kGlowCentre{16.5, 9};
constexpr double kGlowRadius = 4;
constexpr std::array<Point, 4> kDust = {{{4, 4}, {27, 5}, {23, 28}, {6, 27}}};
constexpr std::array<Point, 8> kStar = {{{16.5, 4.5},
                                         {17.3, 8.2},
                                         {21, 9},
                                         {17.3, 9.8},
                                         {16.5, 13.5},
                                         {15.7, 9.8},
                                         {12, 9},
                                         {15.7, 8.2}}};

// The colour at one point of the 32-unit canvas, layers painted back to front.
Colour iconColourAt(Point p) {
    Colour colour = kSpace.at(p);
    for (const Point& dust : kDust) {
        if (inCircle(p, dust, 0.6)) {
            colour = {190, 210, 255};
        }
    }
    if (inCircle(p, {8, 17}, 7)) {
        colour = kBluePlanet.at(p);
    }
    if (inCircle(p, {24.5, 18}, 6)) {
        colour = kOrangePlanet.at(p);
    }
    if (inCircle(p, kGlowCentre, kGlowRadius)) {
        const double t = std::hypot(p.x - kGlowCentre.x, p.y - kGlowCentre.y) / kGlowRadius;
        colour = mix(colour, mix({255, 255, 230}, {255, 255, 200}, t), 1 - t);
    }
    if (inPolygon(p, kStar)) {
        colour = {255, 255, 240};
    }
    return colour;
}

std::uint32_t toPixel(const Colour& sum, int samples) {
    auto byte = [samples](double total) {
        return static_cast<std::uint32_t>(std::clamp(std::lround(total / samples), 0L, 255L));
    };
    return byte(sum.r) << 16 | byte(sum.g) << 8 | byte(sum.b);
}

}  // namespace

RgbPicture IconPicture(int size) {
    constexpr int kGrid = 4;  // samples per pixel along each axis
    const double unit = 32.0 / size;
    RgbPicture icon{size, size, {}};
    icon.pixels.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum;
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    const Colour c = iconColourAt(
                        {(x + (sx + 0.5) / kGrid) * unit, (y + (sy + 0.5) / kGrid) * unit});
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            icon.pixels.push_back(toPixel(sum, kGrid * kGrid));
        }
    }
    return icon;
}

}  // namespace orvex
