#include "view/structures_layout.h"

#include <algorithm>

namespace {

constexpr int32_t Margin = 6, ButtonWidth = 84, ButtonHeight = 24, NoteHeight = 20, ProgressWidth = 160;
constexpr int32_t ColumnWidths[] = {66, 150, 72, 80, 88, 96, 80, 80, 80, 80, 86};

}  // namespace

StructuresLayout LayOutStructures(int32_t clientWidth, int32_t clientHeight, int32_t dpi) {
    auto s = [dpi](int32_t at96) { return ScaledPixels(at96, dpi); };
    StructuresLayout layout;
    for (int32_t i = 0; i < StructuresButtonCount; i++)
        layout.buttons[i] = {s(Margin + i * (ButtonWidth + Margin)), s(Margin), s(ButtonWidth), s(ButtonHeight)};
    int32_t afterButtons = s(Margin + StructuresButtonCount * (ButtonWidth + Margin));
    layout.progress = {afterButtons, s(Margin + 4),
                       std::min(s(ProgressWidth), std::max(clientWidth - afterButtons - s(Margin), 0)),
                       s(ButtonHeight - 8)};
    int32_t listTop = s(2 * Margin + ButtonHeight);
    int32_t noteHeight = s(NoteHeight);
    int32_t width = std::max(clientWidth - 2 * s(Margin), 0);
    int32_t listHeight = std::max(clientHeight - listTop - noteHeight - 2 * s(Margin), 0);
    layout.list = {s(Margin), listTop, width, listHeight};
    layout.note = {s(Margin), listTop + listHeight + s(Margin), width, noteHeight};
    return layout;
}

PixelSize StructuresWindowSize(int32_t dpi) {
    return {ScaledPixels(1000, dpi), ScaledPixels(420, dpi)};
}

int32_t StructuresColumnWidth(int32_t column, int32_t dpi) {
    if (column < 0 || column >= static_cast<int32_t>(sizeof ColumnWidths / sizeof ColumnWidths[0]))
        return 0;
    return ScaledPixels(ColumnWidths[column], dpi);
}
