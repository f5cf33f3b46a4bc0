#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

uint8_t toByte(float v) { return uint8_t(std::lround(clamp01(v) * 255.f)); }

}  // namespace

Colour Colour::bytes(int parR, int parG, int parB, int parA)
{
    return Colour(parR / 255.f, parG / 255.f, parB / 255.f, parA / 255.f);
}

Colour Colour::mix(const Colour& other, float t) const
{
    return Colour(r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t, a + (other.a - a) * t);
}

Canvas::Canvas(int parWidth, int parHeight, Colour background)
    : w(parWidth), h(parHeight), pixels(size_t(parWidth) * parHeight, background)
{
}

const Colour& Canvas::wrapped(int x, int y) const
{
    x %= w;
    y %= h;
    if (x < 0) x += w;
    if (y < 0) y += h;
    return at(x, y);
}

void Canvas::shade(const Shader& shader)
{
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            at(x, y) = shader(x + 0.5f, y + 0.5f);
}

void Canvas::blend(int x, int y, const Colour& colour, float coverage)
{
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    float sa = clamp01(colour.a * coverage);
    if (sa <= 0.f) return;
    Colour& d = at(x, y);
    float outA = sa + d.a * (1.f - sa);
    if (outA <= 0.f) {
        d = Colour(0, 0, 0, 0);
        return;
    }
    float k = d.a * (1.f - sa);
    d.r = (colour.r * sa + d.r * k) / outA;
    d.g = (colour.g * sa + d.g * k) / outA;
    d.b = (colour.b * sa + d.b * k) / outA;
    d.a = outA;
}

void Canvas::paint(float x0, float y0, float x1, float y1, const Distance& distance, const Shader& shader)
{
    int ix0 = int(std::floor(x0)) - 1, iy0 = int(std::floor(y0)) - 1;
    int ix1 = int(std::ceil(x1)) + 1, iy1 = int(std::ceil(y1)) + 1;
    if (!wrapEdges) {
        ix0 = std::max(0, ix0);
        iy0 = std::max(0, iy0);
        ix1 = std::min(w, ix1);
        iy1 = std::min(h, iy1);
    }
    for (int y = iy0; y < iy1; y++)
        for (int x = ix0; x < ix1; x++) {
            float px = x + 0.5f, py = y + 0.5f;
            float coverage = clamp01(0.5f - distance(px, py));
            if (coverage <= 0.f) continue;
            if (wrapEdges)
                blend(((x % w) + w) % w, ((y % h) + h) % h, shader(px, py), coverage);
            else
                blend(x, y, shader(px, py), coverage);
        }
}

void Canvas::paint(float x0, float y0, float x1, float y1, const Distance& distance, const Colour& colour)
{
    paint(x0, y0, x1, y1, distance, [&](float, float) { return colour; });
}

void Canvas::fillRect(float x0, float y0, float x1, float y1, const Colour& colour)
{
    fillRoundedRect(x0, y0, x1, y1, 0.f, colour);
}

void Canvas::fillRoundedRect(float x0, float y0, float x1, float y1, float radius, const Shader& shader)
{
    paint(x0, y0, x1, y1,
          [=](float x, float y) { return roundedRectDistance(x, y, x0, y0, x1, y1, radius); }, shader);
}

void Canvas::fillRoundedRect(float x0, float y0, float x1, float y1, float radius, const Colour& colour)
{
    fillRoundedRect(x0, y0, x1, y1, radius, [&](float, float) { return colour; });
}

void Canvas::strokeRoundedRect(float x0, float y0, float x1, float y1, float radius, float thickness,
                               const Colour& colour)
{
    float half = thickness * 0.5f;
    paint(x0 - half, y0 - half, x1 + half, y1 + half,
          [=](float x, float y) {
              return std::fabs(roundedRectDistance(x, y, x0, y0, x1, y1, radius)) - half;
          },
          colour);
}

void Canvas::fillCircle(float cx, float cy, float radius, const Colour& colour)
{
    paint(cx - radius, cy - radius, cx + radius, cy + radius,
          [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; }, colour);
}

void Canvas::drawLine(float x0, float y0, float x1, float y1, float thickness, const Colour& colour)
{
    float half = thickness * 0.5f;
    paint(std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half, std::max(y0, y1) + half,
          [=](float x, float y) { return segmentDistance(x, y, x0, y0, x1, y1) - half; }, colour);
}

void Canvas::fillPolygon(const std::vector<Point2>& points, const Colour& colour)
{
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Point2& p : points) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    paint(x0, y0, x1, y1, [&](float x, float y) { return polygonDistance(x, y, points); }, colour);
}

void Canvas::dropShadow(float x0, float y0, float x1, float y1, float radius, float blur, float opacity)
{
    paint(x0 - blur, y0 - blur, x1 + blur, y1 + blur,
          [=](float x, float y) {
              float d = roundedRectDistance(x, y, x0, y0, x1, y1, radius);
              return d > blur ? 1.f : -1.f;
          },
          [=](float x, float y) {
              float d = roundedRectDistance(x, y, x0, y0, x1, y1, radius);
              float t = clamp01(1.f - (d + blur * 0.25f) / (blur * 1.25f));
              return Colour(0, 0, 0, opacity * t * t);
          });
}

std::vector<uint8_t> Canvas::toBytes(bool withAlpha) const
{
    std::vector<uint8_t> out;
    out.reserve(pixels.size() * (withAlpha ? 4 : 3));
    for (const Colour& c : pixels) {
        out.push_back(toByte(c.r));
        out.push_back(toByte(c.g));
        out.push_back(toByte(c.b));
        if (withAlpha) out.push_back(toByte(c.a));
    }
    return out;
}

float Canvas::roundedRectDistance(float x, float y, float x0, float y0, float x1, float y1, float radius)
{
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
    float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
    return outside + std::min(std::max(qx, qy), 0.f) - radius;
}

float Canvas::segmentDistance(float x, float y, float x0, float y0, float x1, float y1)
{
    float dx = x1 - x0, dy = y1 - y0;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0.f ? clamp01(((x - x0) * dx + (y - y0) * dy) / len2) : 0.f;
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
}

float Canvas::polygonDistance(float x, float y, const std::vector<Point2>& points)
{
    float best = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Point2& a = points[i];
        const Point2& b = points[j];
        best = std::min(best, segmentDistance(x, y, a.x, a.y, b.x, b.y));
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside ? -best : best;
}

}  // namespace assetgen
