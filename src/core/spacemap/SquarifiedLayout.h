#pragma once
// The squarified treemap layout: rectangles with the given areas that tile a rectangle,
// each as close to a square as the greedy row rule allows. Areas are laid in the order
// given, largest first for the intended result.
#include <span>
#include <vector>

namespace kolvex {

struct MapRect {
  double x = 0, y = 0, w = 0, h = 0;
  double area() const { return w * h; }
  bool contains(double px, double py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// One rectangle per weight, in the same order, together filling area; the weights are
// scaled to it (their sum need not equal its area). Weights must not be negative; a
// weight of 0 gets an empty rectangle.
std::vector<MapRect> SquarifiedLayout(std::span<const double> weights, MapRect area);

}  // namespace kolvex
