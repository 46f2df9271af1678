// The polygons of the structures selected in the Structures window, which the canvas draws in the
// highlight colour in every view; and the way back: a click on a polygon selects its structure's row.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class StructureHighlight {
  public:
    using PickListener = std::function<void(int32_t polygon)>;

    // The polygons to highlight, any order; they belong to the drawing as it is when given.
    void show(std::vector<int32_t> polygons);
    void clear() { marked.clear(); }
    bool has(int32_t polygon) const;
    bool empty() const { return marked.empty(); }

    // Who hears a polygon picked on the canvas (the Structures window while it is open); none: nobody.
    void listen(PickListener listener) { pickListener = std::move(listener); }
    // A polygon was clicked in the drawing view with no tool in use; false when nobody listens.
    bool pick(int32_t polygon) const;

  private:
    std::vector<int32_t> marked;  // ascending, each once
    PickListener pickListener;
};
