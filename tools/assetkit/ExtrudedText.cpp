#include "ExtrudedText.h"

#include "orvane/exceptions/Exception.h"

#include <GL/glu.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <deque>
#include <memory>
#include <vector>

namespace AssetKit {

using Orvane::Vector3;

namespace {

struct Point {
    double x, y;
};

using Contour = std::vector<Point>;

struct OutlineWalker {
    std::vector<Contour> contours;
    Point pen{0, 0};
    Point offset{0, 0};
    int steps;

    void add(Point p) { contours.back().push_back({p.x + offset.x, p.y + offset.y}); }
};

Point toPoint(const FT_Vector* v) { return {v->x / 64.0, v->y / 64.0}; }

int moveTo(const FT_Vector* to, void* user)
{
    auto* w = static_cast<OutlineWalker*>(user);
    w->contours.emplace_back();
    w->pen = toPoint(to);
    w->add(w->pen);
    return 0;
}

int lineTo(const FT_Vector* to, void* user)
{
    auto* w = static_cast<OutlineWalker*>(user);
    w->pen = toPoint(to);
    w->add(w->pen);
    return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user)
{
    auto* w = static_cast<OutlineWalker*>(user);
    Point p0 = w->pen, c = toPoint(control), p1 = toPoint(to);
    for (int i = 1; i <= w->steps; ++i) {
        double t = double(i) / w->steps, s = 1 - t;
        w->add({s * s * p0.x + 2 * s * t * c.x + t * t * p1.x, s * s * p0.y + 2 * s * t * c.y + t * t * p1.y});
    }
    w->pen = p1;
    return 0;
}

int cubicTo(const FT_Vector* c1v, const FT_Vector* c2v, const FT_Vector* to, void* user)
{
    auto* w = static_cast<OutlineWalker*>(user);
    Point p0 = w->pen, c1 = toPoint(c1v), c2 = toPoint(c2v), p1 = toPoint(to);
    for (int i = 1; i <= w->steps; ++i) {
        double t = double(i) / w->steps, s = 1 - t;
        double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
        w->add({a * p0.x + b * c1.x + c * c2.x + d * p1.x, a * p0.y + b * c1.y + c * c2.y + d * p1.y});
    }
    w->pen = p1;
    return 0;
}

// Outline points repeat the start at the end and may hold duplicates; walls need neither.
void cleanContour(Contour& contour)
{
    Contour clean;
    for (const Point& p : contour)
        if (clean.empty() || std::hypot(p.x - clean.back().x, p.y - clean.back().y) > 1e-6)
            clean.push_back(p);
    while (clean.size() > 1 && std::hypot(clean.front().x - clean.back().x, clean.front().y - clean.back().y) < 1e-6)
        clean.pop_back();
    contour = clean.size() >= 3 ? clean : Contour();
}

struct Outline {
    std::vector<Contour> contours;
    bool filledOnRight = true;  // TrueType's convention; PostScript fonts fill on the left
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

Outline readOutline(const std::string& fontPath, const std::string& text, int steps)
{
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0)
        throw Orvane::Exceptions::Exception("Font engine could not be initialized.");
    std::unique_ptr<FT_LibraryRec_, decltype(&FT_Done_FreeType)> libraryGuard(library, FT_Done_FreeType);
    FT_Face face;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0)
        throw Orvane::Exceptions::Exception("Cannot open the font " + fontPath);
    FT_Set_Pixel_Sizes(face, 0, 256);

    OutlineWalker walker;
    walker.steps = steps;
    FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
    Outline outline;
    for (unsigned char c : text) {
        if (FT_Load_Char(face, c, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0)
            continue;
        FT_Outline* glyph = &face->glyph->outline;
        outline.filledOnRight = FT_Outline_Get_Orientation(glyph) != FT_ORIENTATION_POSTSCRIPT;
        FT_Outline_Decompose(glyph, &funcs, &walker);
        walker.offset.x += face->glyph->advance.x / 64.0;
    }
    FT_Done_Face(face);

    bool first = true;
    for (Contour& contour : walker.contours) {
        cleanContour(contour);
        for (const Point& p : contour) {
            outline.minX = first ? p.x : std::min(outline.minX, p.x);
            outline.maxX = first ? p.x : std::max(outline.maxX, p.x);
            outline.minY = first ? p.y : std::min(outline.minY, p.y);
            outline.maxY = first ? p.y : std::max(outline.maxY, p.y);
            first = false;
        }
        if (!contour.empty())
            outline.contours.push_back(std::move(contour));
    }
    if (outline.contours.empty())
        throw Orvane::Exceptions::Exception("The text \"" + text + "\" has no outline in " + fontPath);
    return outline;
}

// Collects the tessellator's triangles as indices into a point list it may extend. A deque keeps
// the addresses the tessellator holds valid while points are added.
struct TessPoint {
    Point point;
    std::uint32_t index;
};

struct Tessellation {
    std::deque<TessPoint> points;
    std::vector<std::uint32_t> triangles;

    TessPoint& add(const Point& p)
    {
        points.push_back({p, std::uint32_t(points.size())});
        return points.back();
    }
};

void GLAPIENTRY onVertex(void* vertex, void* user)
{
    static_cast<Tessellation*>(user)->triangles.push_back(static_cast<TessPoint*>(vertex)->index);
}

void GLAPIENTRY onCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* user)
{
    *out = &static_cast<Tessellation*>(user)->add({coords[0], coords[1]});
}

void GLAPIENTRY onEdgeFlag(GLboolean) {}
void GLAPIENTRY onBegin(GLenum) {}
void GLAPIENTRY onEnd() {}

Tessellation triangulate(const std::vector<Contour>& contours)
{
    Tessellation t;
    for (const Contour& contour : contours)
        for (const Point& p : contour)
            t.add(p);
    GLUtesselator* tess = gluNewTess();
    gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<void(GLAPIENTRY*)()>(onBegin));
    gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<void(GLAPIENTRY*)()>(onEnd));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<void(GLAPIENTRY*)()>(onVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<void(GLAPIENTRY*)()>(onCombine));
    // An edge-flag callback makes the tessellator emit plain triangles only.
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG, reinterpret_cast<void(GLAPIENTRY*)()>(onEdgeFlag));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);
    gluTessBeginPolygon(tess, &t);
    size_t index = 0;
    for (const Contour& contour : contours) {
        gluTessBeginContour(tess);
        for (size_t i = 0; i < contour.size(); ++i, ++index) {
            GLdouble coords[3] = {t.points[index].point.x, t.points[index].point.y, 0};
            gluTessVertex(tess, coords, &t.points[index]);
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    return t;
}

}

Mesh makeExtrudedText(const std::string& fontPath, const std::string& text, float height, float depth, int curveSteps)
{
    Outline outline = readOutline(fontPath, text, curveSteps);
    double scale = height / (outline.maxY - outline.minY);
    double cx = (outline.minX + outline.maxX) * 0.5, cy = (outline.minY + outline.maxY) * 0.5;
    auto place
        = [&](const Point& p, float z) { return Vector3(float((p.x - cx) * scale), float((p.y - cy) * scale), z); };
    auto capUv = [&](const Point& p) {
        return TexCoord{float((p.x - outline.minX) / (outline.maxX - outline.minX)),
                        float((p.y - outline.minY) / (outline.maxY - outline.minY))};
    };
    float front = depth * 0.5f, back = -depth * 0.5f;

    Mesh mesh;
    Tessellation caps = triangulate(outline.contours);
    std::vector<std::uint32_t> frontIndex, backIndex;
    for (const TessPoint& tp : caps.points) {
        const Point& p = tp.point;
        frontIndex.push_back(mesh.addVertex(place(p, front), Vector3(0, 0, 1), capUv(p)));
        backIndex.push_back(mesh.addVertex(place(p, back), Vector3(0, 0, -1), capUv(p)));
    }
    for (size_t i = 0; i + 2 < caps.triangles.size(); i += 3) {
        std::uint32_t a = caps.triangles[i], b = caps.triangles[i + 1], c = caps.triangles[i + 2];
        mesh.addTriangle(frontIndex[a], frontIndex[b], frontIndex[c]);
        mesh.addTriangle(backIndex[a], backIndex[c], backIndex[b]);
    }

    // Walls: one quad per contour edge, normals smoothed across gentle bends so curves look round.
    double side = outline.filledOnRight ? 1.0 : -1.0;
    for (const Contour& contour : outline.contours) {
        size_t n = contour.size();
        std::vector<Vector3> edgeNormal(n);
        double perimeter = 0;
        for (size_t i = 0; i < n; ++i) {
            const Point& p0 = contour[i];
            const Point& p1 = contour[(i + 1) % n];
            double dx = p1.x - p0.x, dy = p1.y - p0.y, l = std::hypot(dx, dy);
            edgeNormal[i] = Vector3(float(-dy / l * side), float(dx / l * side), 0);
            perimeter += l;
        }
        double along = 0;
        for (size_t i = 0; i < n; ++i) {
            size_t next = (i + 1) % n;
            auto smoothed = [&](size_t edge, size_t neighbour) {
                if (Orvane::dot(edgeNormal[edge], edgeNormal[neighbour]) < 0.8f)
                    return edgeNormal[edge];
                Vector3 m = edgeNormal[edge] + edgeNormal[neighbour];
                m.normalize();
                return m;
            };
            Vector3 n0 = smoothed(i, (i + n - 1) % n), n1 = smoothed(i, next);
            double length = std::hypot(contour[next].x - contour[i].x, contour[next].y - contour[i].y);
            float u0 = float(along / perimeter), u1 = float((along + length) / perimeter);
            along += length;
            std::uint32_t a = mesh.addVertex(place(contour[i], front), n0, {u0, 1});
            std::uint32_t b = mesh.addVertex(place(contour[next], front), n1, {u1, 1});
            std::uint32_t c = mesh.addVertex(place(contour[next], back), n1, {u1, 0});
            std::uint32_t d = mesh.addVertex(place(contour[i], back), n0, {u0, 0});
            if (outline.filledOnRight) {
                mesh.addTriangle(a, b, c);
                mesh.addTriangle(a, c, d);
            } else {
                mesh.addTriangle(a, c, b);
                mesh.addTriangle(a, d, c);
            }
        }
    }
    return mesh;
}

}
