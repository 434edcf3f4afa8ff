// The interface package and skin painting: tiling, window shapes, the package file and
// the fade steps.
#include <QPainter>
#include <QTest>
#include <QWidget>

#include "core/persist/ComponentWriter.h"
#include "support/ScriptedSeams.h"
#include "ui/shell/InterfacePackFile.h"
#include "ui/common/Skin.h"
#include "ui/common/TilePaint.h"
#include "ui/common/WindowFade.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

std::vector<int> columnsOfFirstRow(const std::vector<QPoint>& tiles) {
  std::vector<int> xs;
  for (const QPoint& p : tiles)
    if (p.y() == 0) xs.push_back(p.x());
  return xs;
}

std::vector<std::string> imageBytes(const TSCInterfacePack& p) {
  return {p.FlatMask->bytes(),  p.LeftBar->bytes(),  p.ITop->bytes(),      p.IBottom->bytes(),
          p.ILeft->bytes(),     p.IRight->bytes(),   p.IFace->bytes(),     p.ILeftTop->bytes(),
          p.IRightTop->bytes(), p.ILeftBot->bytes(), p.IRightBot->bytes(), p.TopBanner->bytes()};
}

}  // namespace

class SkinTest : public QObject {
  Q_OBJECT

 private slots:
  void tilesCoverTheBoxFromTheLeft() {
    QCOMPARE(columnsOfFirstRow(tilePositions({100, 10}, {30, 10})),
             (std::vector<int>{0, 30, 60, 90}));
    QCOMPARE(tilePositions({100, 10}, {30, 10}).size(), 8u);  // rows 0 and 1
    QVERIFY(tilePositions({100, 10}, {0, 0}).empty());
    QVERIFY(tilePositions({0, 0}, {30, 10}).empty());

    // Painted: each tile starts with the image's first column, the last one is cut.
    QImage tile(30, 10, QImage::Format_RGB32);
    tile.fill(Qt::white);
    for (int y = 0; y < 10; ++y) tile.setPixel(0, y, qRgb(255, 0, 0));
    for (int y = 0; y < 10; ++y) tile.setPixel(9, y, qRgb(0, 0, 255));
    QImage box(100, 10, QImage::Format_RGB32);
    box.fill(Qt::black);
    {
      QPainter p(&box);
      TilePaintBox(p, box.size(), tile);
    }
    for (int x : {0, 30, 60, 90}) QCOMPARE(box.pixel(x, 5), qRgb(255, 0, 0));
    QCOMPARE(box.pixel(99, 5), qRgb(0, 0, 255));
    QCOMPARE(box.pixel(50, 5), qRgb(255, 255, 255));
  }

  void anEmptyImagePaintsNothing() {
    QImage box(20, 20, QImage::Format_RGB32);
    box.fill(Qt::black);
    QPainter p(&box);
    TilePaintBox(p, box.size(), QImage());
    p.end();
    QCOMPARE(box.pixel(10, 10), qRgb(0, 0, 0));
  }

  void aMaskGivesTheShapeOfItsColouredPart() {
    QImage mask(10, 8, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = 1; y < 7; ++y)
      for (int x = 2; x < 8; ++x) mask.setPixel(x, y, qRgb(40, 60, 80));
    mask.setPixel(4, 3, qRgb(255, 255, 255));  // a hole
    mask.setPixel(0, 0, qRgb(254, 255, 255));  // almost white is inside
    const QRegion region = RegionFromBitmap(mask, qRgb(255, 255, 255));
    QRegion expected = QRegion(2, 1, 6, 6) - QRegion(4, 3, 1, 1) + QRegion(0, 0, 1, 1);
    QCOMPARE(region, expected);
  }

  void aFullMaskKeepsItsLastRowAndColumn() {
    QImage mask(12, 9, QImage::Format_RGB32);
    mask.fill(qRgb(10, 20, 30));
    QCOMPARE(RegionFromBitmap(mask, qRgb(255, 255, 255)), QRegion(0, 0, 12, 9));
    QVERIFY(RegionFromBitmap(QImage(), qRgb(255, 255, 255)).isEmpty());
  }

  void aPackageReadsBackAsWritten() {
    UiAppFolder folder;
    const std::string path = folder.file("copy.ipk");
    TSCInterfacePack written = UiAppFolder::smallPackage();
    InterfacePackFile::save(written, path);
    TSCInterfacePack read;
    InterfacePackFile::load(read, path);
    QVERIFY(imageBytes(read) == imageBytes(written));
    QCOMPARE(readBytes(path), encodeObject(written));

    written.IRightBot = std::make_shared<TJPEGImage>();  // empty: left out of the file
    InterfacePackFile::save(written, path);
    const std::string bytes = readBytes(path);
    QVERIFY(bytes.find("IRightBot.Data") == std::string::npos);
    QVERIFY(bytes.find("ILeftBot.Data") != std::string::npos);
    TSCInterfacePack again;
    InterfacePackFile::load(again, path);
    QVERIFY(again.IRightBot->empty());
    QCOMPARE(again.TopBanner->bytes(), written.TopBanner->bytes());
  }

  void aMissingPackageFileIsReported() {
    TSCInterfacePack pack;
    QVERIFY_THROWS_EXCEPTION(std::exception, InterfacePackFile::load(pack, "/no/such/IPack.ipk"));
  }

  void theSkinDecodesEveryPicture() {
    const Skin skin(UiAppFolder::smallPackage());
    QCOMPARE(skin.FlatMask.size(), QSize(12, 9));
    QCOMPARE(skin.ITop.size(), QSize(30, 38));
    QCOMPARE(skin.TopBanner.size(), QSize(150, 53));
    QCOMPARE(skin.forTag(1).size(), QSize(30, 38));
    QCOMPARE(skin.forTag(2).size(), QSize(30, 31));
    QCOMPARE(skin.forTag(3).size(), QSize(10, 20));
    QCOMPARE(skin.forTag(4).size(), QSize(10, 22));
    QCOMPARE(skin.forTag(5).size(), QSize(16, 16));
    QVERIFY(skin.forTag(0).isNull());
    QVERIFY(skin.forTag(6).isNull());
    // The compact progress window takes the mask's coloured part as its shape.
    QCOMPARE(RegionFromBitmap(skin.FlatMask, qRgb(255, 255, 255)), QRegion(2, 2, 8, 5));

    TJPEGImage broken;
    broken.setBytes("not a picture");
    QVERIFY(Skin::decodeJpeg(broken).isNull());
  }

  void fadesStepByTheOptions() {
    TSCOptions o;
    o.setFactoryValues();
    QCOMPARE(fadeInSteps(o),
             (std::vector<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}));
    QCOMPARE(fadeOutSteps(o), (std::vector<int>{250, 225, 200, 175, 150, 125, 100, 75, 50, 25, 0}));
    o.TransIncreaseBy = 125;
    o.FinalTrans = 128;
    QCOMPARE(fadeInSteps(o), (std::vector<int>{125, 128}));
    o.TransIncreaseBy = 0;  // a damaged value: one step, no division by zero
    QCOMPARE(fadeInSteps(o), std::vector<int>{128});
    QCOMPARE(fadeOutSteps(o), std::vector<int>{0});
    o.FinalTrans = 0;  // never fades in to an invisible window
    QCOMPARE(fadeInSteps(o).back(), 128);
  }

  void withoutWindowOpacityWindowsJustShowAndHide() {
    QVERIFY(!platformHasWindowOpacity());  // the offscreen platform
    TSCOptions o;
    o.setFactoryValues();
    ScriptedPump pump;
    QWidget w;
    ShowGradually(&w, o, pump);
    QVERIFY(w.isVisible());
    HideGradually(&w, o, pump);
    QVERIFY(!w.isVisible());
    QCOMPARE(pump.calls, 0);
    QCOMPARE(w.windowOpacity(), 1.0);
  }

  void theTaskbarStripLiesBelowTheFreeArea() {
    const QRect strip = GetTaskbarRect();
    QVERIFY(strip.height() >= 0);
    QCOMPARE(strip.top(), QGuiApplication::primaryScreen()->availableGeometry().bottom() + 1);
  }
};

QTEST_MAIN(SkinTest)
#include "SkinTest.moc"
