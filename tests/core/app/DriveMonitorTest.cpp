// The drive monitor's decisions on scripted volume snapshots.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/app/DriveMonitor.h"

namespace kolvex {
namespace {

class Monitor : public ::testing::Test {
 protected:
  Monitor()
      : monitor(DriveMonitor::Hooks{
            [this] {
              if (unreadable) throw std::runtime_error("mountinfo");
              return volumes;
            },
            [this] { return shiftCheck ? shiftCheck() : shift; }, [this] { return otherScan; },
            [this](const std::string& m) {
              catalogued.push_back(m);
              if (duringScan) duringScan();
            }}) {}
  DriveMonitor::Snapshot volumes{{"/", "111"}, {"/media/cd", "0"}};
  bool shift = false, otherScan = false, unreadable = false;
  std::vector<std::string> catalogued;
  std::function<void()> duringScan;
  std::function<bool()> shiftCheck;
  DriveMonitor monitor;
};

TEST_F(Monitor, MediaPresentAtStartAreNotCataloguedNewOnesAre) {
  volumes["/media/usb"] = "999";
  monitor.start();
  EXPECT_EQ(monitor.poll(), "");
  volumes["/media/cd"] = "4242";
  EXPECT_EQ(monitor.poll(), "/media/cd");
  EXPECT_EQ(catalogued, std::vector<std::string>{"/media/cd"});
  EXPECT_TRUE(monitor.running());
  // The same disc stays: nothing more. Taken out and put back: offered again (the
  // cataloguer itself skips a disc that has a catalog).
  EXPECT_EQ(monitor.poll(), "");
  volumes["/media/cd"] = "0";
  EXPECT_EQ(monitor.poll(), "");
  volumes["/media/cd"] = "4242";
  EXPECT_EQ(monitor.poll(), "/media/cd");
}

TEST_F(Monitor, MediaThatComeUpTogetherAreCataloguedOneAfterTheOther) {
  monitor.start();
  volumes["/media/b"] = "2";
  volumes["/media/a"] = "1";
  volumes["/media/c"] = "3";
  // A stick inserted while the first one is catalogued is new as well; one taken out
  // meanwhile is not offered.
  duringScan = [this] {
    if (catalogued.size() == 1) volumes["/media/d"] = "4";
    if (catalogued.size() == 2) volumes.erase("/media/c");
  };
  EXPECT_EQ(monitor.poll(), "/media/a");
  EXPECT_EQ(monitor.poll(), "/media/b");
  EXPECT_EQ(monitor.poll(), "/media/d");
  EXPECT_EQ(monitor.poll(), "");
  EXPECT_EQ(catalogued, (std::vector<std::string>{"/media/a", "/media/b", "/media/d"}));
  // Each stays catalogued once.
  EXPECT_EQ(monitor.poll(), "");
  EXPECT_EQ(catalogued.size(), 3u);
}

TEST_F(Monitor, ShiftOnOneMediumDoesNotHideTheOtherOfTheSamePoll) {
  monitor.start();
  volumes["/media/a"] = "1";
  volumes["/media/b"] = "2";
  int asked = 0;
  shiftCheck = [&] { return ++asked == 1; };  // held while /media/a is looked at
  EXPECT_EQ(monitor.poll(), "/media/b");
  EXPECT_EQ(monitor.poll(), "");
  EXPECT_EQ(catalogued, std::vector<std::string>{"/media/b"});
}

TEST_F(Monitor, ShiftSkipsAMediumForAsLongAsItStays) {
  monitor.start();
  volumes["/media/cd"] = "77";
  shift = true;
  EXPECT_EQ(monitor.poll(), "");
  shift = false;
  EXPECT_EQ(monitor.poll(), "");
  volumes["/media/cd"] = "78";
  EXPECT_EQ(monitor.poll(), "/media/cd");
}

TEST_F(Monitor, StoppedMonitorsAndRunningScansHandleNothing) {
  monitor.start();
  monitor.stop();
  volumes["/media/cd"] = "5";
  EXPECT_EQ(monitor.poll(), "");
  monitor.start();  // the disc inserted while off is part of the new baseline
  EXPECT_EQ(monitor.poll(), "");
  volumes["/media/cd"] = "6";
  otherScan = true;
  EXPECT_EQ(monitor.poll(), "");
  otherScan = false;
  EXPECT_EQ(monitor.poll(), "/media/cd");  // still offered after the other scan
}

TEST_F(Monitor, StoppingDuringTheScanKeepsItOffAfterwards) {
  monitor.start();
  duringScan = [this] {
    EXPECT_TRUE(monitor.handling());
    EXPECT_EQ(monitor.poll(), "");  // a poll inside the scan does nothing
    monitor.stop();
  };
  volumes["/media/cd"] = "5";
  EXPECT_EQ(monitor.poll(), "/media/cd");
  EXPECT_FALSE(monitor.running());
}

TEST_F(Monitor, AnUnreadableVolumeListKeepsTheBaseline) {
  monitor.start();
  unreadable = true;
  EXPECT_EQ(monitor.poll(), "");
  unreadable = false;
  EXPECT_EQ(monitor.poll(), "");
  EXPECT_TRUE(catalogued.empty());
}

TEST(DriveMonitorLifetime, DestroyedDuringTheScanIsNotTouchedAfterwards) {
  std::unique_ptr<DriveMonitor> monitor;
  DriveMonitor::Snapshot volumes{{"/a", "0"}};
  monitor = std::make_unique<DriveMonitor>(DriveMonitor::Hooks{
      [&] { return volumes; }, [] { return false; }, [] { return false; },
      [&](const std::string&) { monitor.reset(); }});
  monitor->start();
  volumes["/a"] = "9";
  DriveMonitor* raw = monitor.get();
  EXPECT_EQ(raw->poll(), "/a");  // returns without touching the freed monitor (ASan checks)
  EXPECT_EQ(monitor, nullptr);
}

}  // namespace
}  // namespace kolvex
