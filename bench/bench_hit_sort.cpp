// Sorting a long search result by each column, as a click on a column header does it: the
// result model with its rows, shown in the icon list of the search view (offscreen), and
// the clock running from the new key until the list has laid itself out again. The peer,
// in the same run, is a plain stable sort of the same hits' names by byte order.
//
//   bench_hit_sort [HITS] [RUNS]   (HITS: 863096 by default, the hits of "*.txt" over
//                                    500 catalogs of 20 000 records)
#include <QApplication>
#include <QListView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/search/TUSearch.h"
#include "ui/search/HitAppearance.h"
#include "ui/search/HitOrder.h"
#include "ui/search/SearchResultModel.h"

using namespace kolvex;
using bench::median;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

std::vector<TTSearchResultItem> makeHits(int count) {
  bench::NameMaker names;
  std::vector<TTSearchResultItem> hits(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    TTSearchResultItem& h = hits[static_cast<std::size_t>(i)];
    h.Kind = kSearchFiles;
    h.Name = names.next();
    h.CDLabel = "Disc " + std::to_string(i / 1726);
    h.FilePath = "X:\\folder" + std::to_string(i % 100) + "\\";
    h.Size = (i * 7919LL) % 5000000;
    h.DateTime = 40000 + (i * 104729LL) % 8000 + (i % 86400) / 86400.0;
    h.KindText = "Text";
  }
  return hits;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(2, std::atoi(argv[1])) : 863096;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  HitAppearance appearance;
  SearchResultModel model(appearance, nullptr);
  model.add(makeHits(count), std::vector<int>(static_cast<std::size_t>(count), 0));
  // The view's icon list as it stands at the default size of the window.
  QListView list;
  list.setUniformItemSizes(true);
  list.setViewMode(QListView::IconMode);
  list.setFlow(QListView::LeftToRight);
  list.setWrapping(true);
  list.setResizeMode(QListView::Adjust);
  list.setMovement(QListView::Static);
  list.setIconSize(QSize(32, 32));
  list.setGridSize(QSize(104, 76));
  list.setWordWrap(true);
  list.setModel(&model);
  list.resize(700, 400);
  list.show();
  QCoreApplication::processEvents();

  struct Key {
    const char* name;
    int key;
  } keys[] = {{"name", kHitSortNameAsc},  {"name desc", kHitSortNameDesc},
              {"archive", kHitSortLabelAsc}, {"kind", kHitSortExtAsc},
              {"date", kHitSortDateAsc},  {"size", kHitSortSizeAsc}};
  std::printf("%d hits, %d runs (medians)\n", count, runs);
  double nameSort = 0;
  for (const Key& k : keys) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
      model.setSortKey(kHitSortNone);
      model.setSortKey(kHitSortSizeDesc);  // from another order every time
      QCoreApplication::processEvents();
      const auto t0 = Clock::now();
      model.setSortKey(k.key);
      QCoreApplication::processEvents();  // the list lays itself out again
      times.push_back(msSince(t0));
    }
    if (k.key == kHitSortNameAsc) nameSort = median(times);
    std::printf("sort by %-9s %8.1f ms\n", k.name, median(times));
  }

  std::vector<double> peer;
  for (int i = 0; i < runs; ++i) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < model.rowCount(); ++r) names.push_back(model.hitAt(r)->Name);
    std::reverse(names.begin(), names.end());
    const auto t0 = Clock::now();
    std::stable_sort(names.begin(), names.end());
    peer.push_back(msSince(t0));
  }
  std::printf("peer: stable sort of the names by bytes %8.1f ms; sort by name / peer %.2f x\n",
              median(peer), nameSort / median(peer));
  return 0;
}
