// Canvas: an RGBA picture in floating point that the asset generators paint on.
//
// Colours are straight (not premultiplied) RGBA in 0..1. Shapes are painted by
// coverage: a signed distance function (negative inside) gives each pixel an
// anti-aliased coverage, a shader gives its colour, and the result is blended over
// what is there. Rows run top to bottom, as in the image files the engine reads.
//
// Depends on: the standard library only.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

inline float clamp01(float v) { return v < 0.f ? 0.f : (v > 1.f ? 1.f : v); }

// 0 below a, 1 above b, a smooth S-curve between.
inline float smoothstep(float a, float b, float v)
{
    float t = clamp01((v - a) / (b - a));
    return t * t * (3.f - 2.f * t);
}

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;

    Colour() = default;
    Colour(float parR, float parG, float parB, float parA = 1.f) : r(parR), g(parG), b(parB), a(parA) {}
    // From 0..255 components.
    static Colour bytes(int parR, int parG, int parB, int parA = 255);

    Colour scaled(float factor) const { return Colour(r * factor, g * factor, b * factor, a); }
    Colour withAlpha(float alpha) const { return Colour(r, g, b, alpha); }
    // Linear mix: t = 0 gives this colour, t = 1 the other.
    Colour mix(const Colour& other, float t) const;
};

struct Point2 {
    float x, y;
};

class Canvas {
public:
    using Shader = std::function<Colour(float x, float y)>;
    using Distance = std::function<float(float x, float y)>;

    Canvas(int parWidth, int parHeight, Colour background = Colour(0, 0, 0, 0));

    // When set, shapes that cross an edge continue on the opposite edge (tiling textures).
    bool wrapEdges = false;

    int width() const { return w; }
    int height() const { return h; }
    Colour& at(int x, int y) { return pixels[size_t(y) * w + x]; }
    const Colour& at(int x, int y) const { return pixels[size_t(y) * w + x]; }
    // The pixel at (x, y) with both coordinates wrapped around the edges.
    const Colour& wrapped(int x, int y) const;

    // Every pixel set from the shader (no blending).
    void shade(const Shader& shader);
    // Source-over blend of a colour on one pixel, its alpha multiplied by coverage.
    void blend(int x, int y, const Colour& colour, float coverage = 1.f);

    // Paints the shape whose signed distance (in pixels, negative inside) is given,
    // inside the bounding box [x0, x1) x [y0, y1), coloured by the shader.
    void paint(float x0, float y0, float x1, float y1, const Distance& distance, const Shader& shader);
    void paint(float x0, float y0, float x1, float y1, const Distance& distance, const Colour& colour);

    void fillRect(float x0, float y0, float x1, float y1, const Colour& colour);
    void fillRoundedRect(float x0, float y0, float x1, float y1, float radius, const Shader& shader);
    void fillRoundedRect(float x0, float y0, float x1, float y1, float radius, const Colour& colour);
    void strokeRoundedRect(float x0, float y0, float x1, float y1, float radius, float thickness,
                           const Colour& colour);
    void fillCircle(float cx, float cy, float radius, const Colour& colour);
    void drawLine(float x0, float y0, float x1, float y1, float thickness, const Colour& colour);
    void fillPolygon(const std::vector<Point2>& points, const Colour& colour);
    // A soft shadow of a rounded rectangle: darkness fading over `blur` pixels.
    void dropShadow(float x0, float y0, float x1, float y1, float radius, float blur, float opacity);

    // The pixels as 8-bit bytes, 4 a pixel with alpha or 3 without, rows top first.
    std::vector<uint8_t> toBytes(bool withAlpha) const;

    // Signed distances used by the shapes above (also useful to callers' own shapes).
    static float roundedRectDistance(float x, float y, float x0, float y0, float x1, float y1, float radius);
    static float segmentDistance(float x, float y, float x0, float y0, float x1, float y1);
    static float polygonDistance(float x, float y, const std::vector<Point2>& points);

private:
    int w, h;
    std::vector<Colour> pixels;
};

}  // namespace assetgen
