#include "core/spacemap/SquarifiedLayout.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace kolvex {
namespace {

// The worst aspect ratio of a row of areas with this sum, smallest and largest, laid
// along a side of length side.
double worstRatio(double sum, double smallest, double largest, double side) {
  if (sum <= 0 || smallest <= 0) return std::numeric_limits<double>::infinity();
  const double s2 = sum * sum, w2 = side * side;
  return std::max(w2 * largest / s2, s2 / (w2 * smallest));
}

}  // namespace

std::vector<MapRect> SquarifiedLayout(std::span<const double> weights, MapRect area) {
  std::vector<MapRect> out(weights.size(), MapRect{area.x, area.y, 0, 0});
  const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
  if (total <= 0 || area.w <= 0 || area.h <= 0) return out;
  const double scale = area.area() / total;

  MapRect free = area;
  std::size_t rowStart = 0;
  double rowSum = 0, rowMin = 0, rowMax = 0;

  // Lays the row [rowStart, end) along the shorter side of the free rectangle and
  // takes its strip off that rectangle.
  auto layRow = [&](std::size_t end) {
    if (rowSum <= 0) return;
    const bool wide = free.w >= free.h;  // a column at the left, else a row at the top
    const double side = wide ? free.h : free.w;
    const double thick = std::min(rowSum / side, wide ? free.w : free.h);
    double at = wide ? free.y : free.x;
    std::size_t last = end;
    while (last > rowStart && weights[last - 1] <= 0) --last;
    for (std::size_t i = rowStart; i < last; ++i) {
      const double a = weights[i] * scale;
      if (a <= 0) continue;
      // The last one takes what rounding left, so the strip is filled exactly.
      const double len = i + 1 == last ? (wide ? free.y + free.h : free.x + free.w) - at : a / thick;
      out[i] = wide ? MapRect{free.x, at, thick, len} : MapRect{at, free.y, len, thick};
      at += len;
    }
    if (wide) {
      free.x += thick;
      free.w -= thick;
    } else {
      free.y += thick;
      free.h -= thick;
    }
  };

  for (std::size_t i = 0; i < weights.size(); ++i) {
    const double a = weights[i] * scale;
    if (a <= 0) continue;
    const double side = std::min(free.w, free.h);
    if (rowSum > 0) {
      const double now = worstRatio(rowSum, rowMin, rowMax, side);
      const double with = worstRatio(rowSum + a, std::min(rowMin, a), std::max(rowMax, a), side);
      if (with > now) {
        layRow(i);
        rowStart = i;
        rowSum = 0;
      }
    }
    if (rowSum == 0) {
      rowStart = i;
      rowMin = rowMax = a;
    } else {
      rowMin = std::min(rowMin, a);
      rowMax = std::max(rowMax, a);
    }
    rowSum += a;
  }
  // The last row fills what is left.
  if (rowSum > 0) {
    rowSum = std::max(rowSum, free.area());
    layRow(weights.size());
  }
  return out;
}

}  // namespace kolvex
