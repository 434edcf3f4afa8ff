// The search view as a user drives it, beside the search engine alone, in one run: the
// real main window (offscreen) over an application folder whose catalog folder holds the
// catalogs of bench_index (every catalog ticked, as the view lists them), the rare name
// typed into the mask and the Search button clicked. The clock runs from the click until
// the hit is a row of the view's result list, and until the run is over; the engine alone
// runs the same search (same catalogs, criteria and mask) without a window. `plocate -c`
// on the names list is the outside peer. Warm cache; medians.
//
//   bench_search_view DIR [RUNS]   (DIR: bench_index's data folder, its catalogs indexed)
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/app/EventPump.h"
#include "core/catalog/AppDir.h"
#include "core/search/SearchEngine.h"
#include "ui/search/SearchResultModel.h"
#include "ui/search/TSearchFrame.h"
#include "ui/shell/TVORN_MainForm.h"
#include "ui/shell/ViewRegistry.h"

using namespace kolvex;
using bench::median;

namespace {

constexpr const char* kRareName = "Quokka_Zephyr_4711.dat";

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Lets window events run for a while, or until done() holds.
template <class F>
bool waitFor(F done, int limitMs) {
  const auto t0 = Clock::now();
  while (!done()) {
    if (msSince(t0) > limitMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// An application folder of the program's own files (built beside this benchmark) whose
// catalog folder is the benchmark's data folder.
std::string makeAppFolder(const std::string& catalogs) {
  char pattern[] = "/tmp/kolvex-bench-view-XXXXXX";
  if (!::mkdtemp(pattern)) return {};
  const QString dir = QString::fromLocal8Bit(pattern);
  const QString built = QStringLiteral(KOLVEX_APPDIR);
  QDir().mkpath(dir + "/Languages");
  QDir().mkpath(dir + "/config");
  for (const QString& name : QDir(built + "/Languages").entryList({"*.ini"}, QDir::Files))
    QFile::copy(built + "/Languages/" + name, dir + "/Languages/" + name);
  QFile::copy(built + "/Default.cfg", dir + "/Options.cfg");
  QFile::copy(built + "/IPack.ipk", dir + "/IPack.ipk");
  const std::string archives = QFile::encodeName(dir).toStdString() + "/Archives";
  if (::symlink(catalogs.c_str(), archives.c_str()) != 0) return {};
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir + "/config"));
  return QFile::encodeName(dir).toStdString() + '/';
}

class FirstHit final : public SearchListener {
 public:
  void hitFound(TTSearchResultItem&&) override {
    if (hits++ == 0) first = msSince(start);
  }
  Clock::time_point start;
  double first = -1;
  int hits = 0;
};

double commandMs(const std::string& cmd, long& count) {
  const auto t0 = Clock::now();
  FILE* p = ::popen(cmd.c_str(), "r");
  count = -1;
  if (p) {
    if (std::fscanf(p, "%ld", &count) != 1) count = -1;
    ::pclose(p);
  }
  return msSince(t0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_search_view DIR [RUNS]\n");
    return 2;
  }
  std::string data = argv[1];
  if (data.back() != '/') data += '/';
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::string appDir = makeAppFolder(data);
  if (appDir.empty()) {
    std::fprintf(stderr, "cannot make an application folder\n");
    return 1;
  }
  setAppDirForTesting(appDir);
  QApplication app(argc, argv);

  bench::QuietDialogs dialogs;
  MainFormSeams seams;
  seams.dialogs = &dialogs;
  seams.trayAvailable = [] { return false; };
  seams.terminate = [] {};
  seams.stateFile = QString::fromStdString(appDir + "state.ini");
  TVORN_MainForm form(CommandLine{}, std::move(seams));
  form.show();
  const int searchView = viewIndexOf("TSearchFrame");
  form.ShowView(searchView);
  auto* frame = qobject_cast<TSearchFrame*>(form.View(searchView));
  if (!frame || !waitFor([&] { return form.CurrentViewIndex() == searchView; }, 5000)) {
    std::fprintf(stderr, "the search view is not shown\n");
    return 1;
  }
  // The view as it is a while after being opened (its icons ready).
  waitFor([] { return false; }, 1500);
  const std::size_t ticked = frame->engine().archives().size();
  auto* mask = frame->findChild<QLineEdit*>("eMask");
  auto* search = frame->findChild<QToolButton*>("sbSearch");
  if (!mask || !search || ticked == 0) {
    std::fprintf(stderr, "no mask, no Search button or no catalogs in the view\n");
    return 1;
  }
  mask->selectAll();
  QTest::keyClicks(mask, kRareName);

  // The clock stops when the hit is a row of the list, and again when the run is over.
  SearchResultModel& model = frame->results();
  Clock::time_point clicked;
  double toRow = -1;
  QObject::connect(&model, &QAbstractItemModel::rowsInserted, &model,
                   [&](const QModelIndex&, int first, int last) {
                     for (int row = first; row <= last && toRow < 0; ++row)
                       if (const TTSearchResultItem* hit = model.hitAt(row); hit && hit->Name == kRareName)
                         toRow = msSince(clicked);
                   });
  std::vector<double> rowTimes, viewTimes;
  int rows = 0;
  for (int i = 0; i <= runs; ++i) {  // the first run warms the cache
    toRow = -1;
    clicked = Clock::now();
    QTest::mouseClick(search, Qt::LeftButton);
    waitFor([&] { return frame->engine().state() == SearchState::Idle; }, 60000);
    const double total = msSince(clicked);
    rows = model.rowCount();
    if (i > 0) {
      rowTimes.push_back(toRow);
      viewTimes.push_back(total);
    }
    waitFor([] { return false; }, 100);  // the user looks at the result
  }

  // The same search through the engine alone.
  std::vector<double> engineHit, engineAll;
  int engineHits = 0;
  for (int i = 0; i <= runs; ++i) {
    NoEventPump pump;
    SearchEngine engine(pump, dialogs, form.Language());
    FirstHit listener;
    engine.setListener(&listener);
    engine.setIndexed(true);
    engine.setArchives(frame->engine().archives());
    engine.criteria() = frame->engine().criteria();
    engine.setMask(frame->engine().mask());
    listener.start = Clock::now();
    engine.StartSearch();
    const double total = msSince(listener.start);
    engineHits = listener.hits;
    if (i > 0) {
      engineHit.push_back(listener.first);
      engineAll.push_back(total);
    }
  }

  long located = -1;
  std::vector<double> plocate;
  const std::string db = data + "names500.plocate";
  for (int i = 0; i <= runs; ++i) {
    const double t = commandMs("plocate -c -i -d '" + db + "' '" + kRareName + "' 2>/dev/null", located);
    if (i > 0) plocate.push_back(t);
  }

  std::printf("%zu catalogs ticked, mask %s, %d runs (medians)\n", ticked, kRareName, runs);
  std::printf("search view: hit in the list %.2f ms, run over %.2f ms (%d row%s)\n",
              median(rowTimes), median(viewTimes), rows, rows == 1 ? "" : "s");
  std::printf("engine alone: first hit %.2f ms, run over %.2f ms (%d hit%s)\n", median(engineHit),
              median(engineAll), engineHits, engineHits == 1 ? "" : "s");
  std::printf("view / engine: to the hit %.2f x, whole run %.2f x\n",
              median(rowTimes) / median(engineHit), median(viewTimes) / median(engineAll));
  if (located >= 0)
    std::printf("plocate -c (names500): %.2f ms, %ld hit%s; view / plocate %.2f x\n",
                median(plocate), located, located == 1 ? "" : "s",
                median(viewTimes) / median(plocate));
  form.Shutdown();
  return rows == engineHits ? 0 : 1;
}
