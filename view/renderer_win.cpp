#include "view/renderer_win.h"

#include <cstring>
#include <vector>

#include "app/session.h"
#include "app/shown_result.h"
#include "app/structure_highlight.h"
#include "editing/edit_state.h"
#include "model/drawing.h"
#include "ui/app_windows_win.h"
#include "ui/gdi_guards_win.h"
#include "view/canvas_state.h"
#include "view/result_mapping.h"
#include "view/status_texts.h"

namespace {

const COLORREF VertexMarkColour = RGB(250, 25, 5);
const COLORREF OutlineColour = RGB(124, 124, 255);
const COLORREF HoleColour = RGB(255, 255, 255);
const COLORREF StructureColour = RGB(127, 127, 127);
// The structures selected in the Structures window: an orange ground under the hatch, a darker edge.
const COLORREF HighlightColour = RGB(255, 170, 40);
const COLORREF HighlightEdgeColour = RGB(200, 80, 0);

POINT ToPoint(PixelPoint p) {
    return {p.x, p.y};
}

std::vector<POINT> PixelsOf(const PolygonRecord& polygon, const ViewTransform& view) {
    std::vector<POINT> points(polygon.vertexCount);
    for (int32_t i = 0; i < polygon.vertexCount; i++)
        points[i] = ToPoint(ToPixel(view, polygon.x[i], polygon.y[i]));
    return points;
}

// The hatch is drawn opaque, white between its black lines, so a polygon hides what lies under it.
void DrawHatchedPolygon(HDC dc, const std::vector<POINT>& points) {
    GdiObject<HBRUSH> hatch(CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0)));
    SelectScope useHatch(dc, hatch.handle);
    SetPolyFillMode(dc, ALTERNATE);
    Polygon(dc, points.data(), static_cast<int>(points.size()));
}

// Under its hatch a highlighted polygon is filled orange instead of white, inside a wider edge.
void DrawHighlightedPolygon(HDC dc, const std::vector<POINT>& points) {
    Session& session = SessionOf(mainWindow);
    GdiObject<HBRUSH> hatch(CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0)));
    GdiObject<HPEN> edge(CreatePen(PS_SOLID, ScaledPixels(3, session.canvasState.dpi), HighlightEdgeColour));
    SelectScope useHatch(dc, hatch.handle);
    SelectScope useEdge(dc, edge.handle);
    COLORREF ground = SetBkColor(dc, HighlightColour);
    int mode = SetBkMode(dc, OPAQUE);
    SetPolyFillMode(dc, ALTERNATE);
    Polygon(dc, points.data(), static_cast<int>(points.size()));
    SetBkMode(dc, mode);
    SetBkColor(dc, ground);
}

// The same box the hit test picks a vertex with, so a click anywhere on the mark finds the vertex.
void DrawVertexMarks(HDC dc, const std::vector<POINT>& points) {
    Session& session = SessionOf(mainWindow);
    GdiObject<HBRUSH> fill(CreateSolidBrush(VertexMarkColour));
    SelectScope useFill(dc, fill.handle);
    for (const POINT& p : points) {
        PixelBox mark = VertexMarkBox({p.x, p.y}, session.canvasState.dpi);
        Rectangle(dc, mark.left, mark.top, mark.right, mark.bottom);
    }
}

void DrawLabel(HDC dc, const RECT& rect, bool ad, ResultLabel kind) {
    Session& session = SessionOf(mainWindow);
    const CalcResult& result = session.shownResult.of(session.drawing);
    double value = ad ? result.ad : result.am;
    std::string label = kind == ResultLabel::Caption ? PictureCaption(ad, value) : AreaLabel(value);
    RECT area = rect;
    DrawTextA(dc, label.c_str(), -1, &area, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX);
}

// Erases the band on screen (ending at the band pixel) by drawing it again, draws the one ending at
// the pointer, and remembers that a band shows.
template <typename DrawBand>
void InvertBand(HDC dc, DrawBand drawBand) {
    Session& session = SessionOf(mainWindow);
    // One pixel wide at 96 DPI (the cosmetic pen, as the default), wider on denser screens.
    int32_t width = ScaledPixels(1, session.canvasState.dpi);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, width > 1 ? width : 0, RGB(0, 0, 0)));
    SelectScope usePen(dc, pen.handle);
    int previousMode = SetROP2(dc, R2_NOT);
    if (session.canvasState.bandVisible)
        drawBand(session.canvasState.bandPixel);
    drawBand(session.canvasState.pointerPixel);
    SetROP2(dc, previousMode);
    session.canvasState.bandVisible = true;
}

}  // namespace

// The dots go onto the white background in one pass: a white picture with black dots is combined with
// the canvas so that only the dots change it, which stays fast even with a dot on every pixel.
void DrawGrid(HDC dc, int width, int height) {
    Session& session = SessionOf(mainWindow);
    int32_t step = session.canvasState.gridStep;
    if (step < 1 || width <= 0 || height <= 0)
        return;
    MemoryCanvas dots(width, height);
    if (!dots.ready())
        return;
    memset(dots.pixels, 0xFF, static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; y += step)
        for (int x = 0; x < width; x += step)
            dots.pixels[y * width + x] = 0;
    GdiFlush();
    BitBlt(dc, 0, 0, width, height, dots.dc, 0, 0, SRCAND);
}

// From priority index 9 down to 0, each priority in store order, so index 0 ends on top.
void DrawPolygons(HDC dc) {
    Session& session = SessionOf(mainWindow);
    const PolygonStore& store = session.drawing.polygons;
    ViewTransform view = CurrentView(session.canvasState, session.drawing);
    for (int32_t priority = PriorityCount - 1; priority >= 0; priority--)
        for (int32_t j = 0; j < store.count(); j++) {
            if (store.priorities()[j] != priority)
                continue;
            std::vector<POINT> points = PixelsOf(store.polygon(j), view);
            if (session.structureHighlight.has(j))
                DrawHighlightedPolygon(dc, points);
            else
                DrawHatchedPolygon(dc, points);
            DrawVertexMarks(dc, points);
        }
}

void DrawResultView(const RECT& rect, HDC dc, bool ad, ResultLabel label) {
    Session& session = SessionOf(mainWindow);
    const CalcResult& result = session.shownResult.of(session.drawing);
    ResultMapping mapping(result, ad, rect.right - rect.left, rect.bottom - rect.top);
    if (mapping.usable()) {
        GdiObject<HBRUSH> outer(CreateSolidBrush(OutlineColour)), hole(CreateSolidBrush(HoleColour));
        SelectScope noPen(dc, GetStockObject(NULL_PEN));
        // Larger contours first, so that holes and the islands in them end on top.
        for (int32_t k : ResultPaintOrder(result, ad)) {
            std::vector<POINT> points;
            for (const Point& p : result.contours[k])
                points.push_back(ToPoint(mapping.map(p.x, p.y)));
            SelectScope fill(dc, result.holeFlags[k] ? hole.handle : outer.handle);
            Polygon(dc, points.data(), static_cast<int>(points.size()));
        }
        // The selected structures stand out on the screen only; a picture shows the drawing as it is.
        GdiObject<HBRUSH> grey(CreateSolidBrush(StructureColour)), marked(CreateSolidBrush(HighlightColour));
        GdiObject<HPEN> black(CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
        SelectScope useBlack(dc, black.handle);
        for (int32_t j = 0; j < session.drawing.polygons.count(); j++) {
            const PolygonRecord& polygon = session.drawing.polygons.polygon(j);
            std::vector<POINT> points;
            for (int32_t i = 0; i < polygon.vertexCount; i++)
                points.push_back(ToPoint(mapping.map(polygon.x[i], polygon.y[i])));
            bool highlighted = label == ResultLabel::Area && session.structureHighlight.has(j);
            SelectScope fill(dc, highlighted ? marked.handle : grey.handle);
            Polygon(dc, points.data(), static_cast<int>(points.size()));
        }
    }
    if (label != ResultLabel::None)
        DrawLabel(dc, rect, ad, label);
}

// The placed edges are not part of a paint, so they are drawn again with every band.
void DrawCreateBand(HWND canvas) {
    Session& session = SessionOf(mainWindow);
    WindowDc window(canvas);
    const PolygonRecord& pending = session.editState.pendingPolygon;
    int32_t n = pending.vertexCount;
    if (session.editState.constructing && n >= 1) {
        std::vector<POINT> placed = PixelsOf(pending, CurrentView(session.canvasState, session.drawing));
        if (n >= 2)
            Polyline(window.dc, placed.data(), n);
        InvertBand(window.dc, [&](PixelPoint end) {
            if (n == 1) {
                POINT segment[2] = {placed[0], ToPoint(end)};
                Polyline(window.dc, segment, 2);
            } else {
                POINT band[3] = {placed[n - 1], ToPoint(end), placed[0]};
                Polyline(window.dc, band, 3);
            }
        });
    }
    session.canvasState.bandVisible = true;
}

bool DrawVertexBand(HWND canvas) {
    Session& session = SessionOf(mainWindow);
    int32_t p = session.editState.selectedPolygon, k = session.editState.selectedVertex;
    if (p < 0 || p >= session.drawing.polygons.count() || k < 0 || k >= session.drawing.polygons.polygon(p).vertexCount)
        return false;
    const PolygonRecord& polygon = session.drawing.polygons.polygon(p);
    ViewTransform view = CurrentView(session.canvasState, session.drawing);
    int32_t n = polygon.vertexCount;
    POINT previous = ToPoint(ToPixel(view, polygon.x[(k + n - 1) % n], polygon.y[(k + n - 1) % n]));
    POINT next = ToPoint(ToPixel(view, polygon.x[(k + 1) % n], polygon.y[(k + 1) % n]));
    WindowDc window(canvas);
    InvertBand(window.dc, [&](PixelPoint end) {
        MoveToEx(window.dc, previous.x, previous.y, nullptr);
        LineTo(window.dc, end.x, end.y);
        MoveToEx(window.dc, end.x, end.y, nullptr);
        LineTo(window.dc, next.x, next.y);
    });
    return true;
}

// The ghost keeps the polygon's shape with the grab point under the pointer, hatch and all inverted.
bool DrawPolygonGhost(HWND canvas) {
    Session& session = SessionOf(mainWindow);
    int32_t p = session.editState.selectedPolygon;
    if (p < 0 || p >= session.drawing.polygons.count())
        return false;
    const PolygonRecord& polygon = session.drawing.polygons.polygon(p);
    double z = CurrentView(session.canvasState, session.drawing).z;
    WindowDc window(canvas);
    InvertBand(window.dc, [&](PixelPoint end) {
        std::vector<POINT> points;
        for (int32_t i = 0; i < polygon.vertexCount; i++)
            points.push_back(ToPoint(GhostVertex(end, {polygon.x[i], polygon.y[i]}, session.editState.dragOrigin, z,
                                                 session.canvasState.dpi)));
        DrawHatchedPolygon(window.dc, points);
    });
    return true;
}
