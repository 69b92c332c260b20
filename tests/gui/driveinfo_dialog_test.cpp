// The drive information window opened and closed every way a user can.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "driveinfo/ui/DriveInfoDlg.h"
#include "tests/support/GuiHarness.h"

namespace {

using driveinfo::CDriveInfoDlg;
using DriveInfoWindow = testsupport::FrameTest<>;

QStringList Fields(CDriveInfoDlg* d) {
  QStringList out;
  for (const res::Id id : {IDC_EDIT_VOLUMENAME, IDC_EDIT_SERIAL, IDC_EDIT_FILESYSTEM, IDC_EDIT_MAXNAMELEN,
                           IDC_EDIT_SECTORS, IDC_EDIT_BYTES, IDC_EDIT_FREECLUSTERS, IDC_EDIT_TOTALCLUSTERS})
    out << d->Item<QLineEdit>(id)->text();
  return out << d->Item<QPlainTextEdit>(IDC_EDIT_FLAGS)->toPlainText();
}

QString CurrentLine(CDriveInfoDlg* d) {
  QListWidgetItem* item = d->DriveList()->currentItem();
  return item != nullptr && item->isSelected() ? item->text() : QString();
}

TEST_F(DriveInfoWindow, EveryWayOfClosingClearsTheCheckMarkAndTheNextOpeningStartsAfresh) {
  fs.AddDrive("/media/cdrom", platform::kDriveCdRom);
  fs.AddDrive("/home", platform::kDriveFixed);
  fs.SetVolumeInfo("/", {"system", 0xFFFFFFFFu, 255, 0x1 | 0x2 | 0x8000, "btrfs"});
  fs.SetDiskFreeSpace("/", {8, 512, 1000, 4000});
  fs.FailVolumeInfo("/media/cdrom");
  fs.FailDiskFreeSpace("/media/cdrom");
  Start();
  auto key = [](Qt::Key k, res::Id field) {  // in the field, or in the drive list
    return [=](CDriveInfoDlg* d) { QTest::keyClick(field == 0 ? d->DriveList() : d->Item<QWidget>(field), k); };
  };
  const std::function<void(CDriveInfoDlg*)> closers[] = {
      [this](CDriveInfoDlg*) { testsupport::Click(h->Tool(ID_VIEW_DRIVEINFO)); },
      key(Qt::Key_Escape, 0),
      key(Qt::Key_Return, 0),
      key(Qt::Key_Enter, IDC_EDIT_SERIAL),
      key(Qt::Key_Return, IDC_EDIT_FLAGS),
      [](CDriveInfoDlg* d) { testsupport::CloseBox(d); },
  };
  int n = 0;
  for (const auto& close : closers) {
    SCOPED_TRACE(n++);
    testsupport::Click(h->Tool(ID_VIEW_DRIVEINFO));
    CDriveInfoDlg* d = h->frame()->DriveInfoDlg();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE((d->isVisible() && !d->isModal()) && h->Shown(ID_VIEW_DRIVEINFO)->isChecked());
    EXPECT_EQ(CurrentLine(d), "/\tFestplattenlaufwerk");
    EXPECT_EQ(Fields(d), (QStringList{"system", "-1", "btrfs", "255", "8", "512", "1000", "4000",
                                      "Unterscheidet Dateinamen mit Groß- und Kleinschreibung\n"
                                      "Speichert Dateinamen mit Groß- und Kleinschreibung\n"
                                      "Unterstützt Komprimierung auf Laufwerksebene\n"}));
    QTest::keyClick(d->DriveList(), Qt::Key_End);  // the user picks /media/cdrom, which fails
    EXPECT_EQ(CurrentLine(d), "/media/cdrom\tCD-ROM-Laufwerk");
    EXPECT_EQ(Fields(d), (QStringList{"", "0", "", "0", "0", "0", "0", "0", ""}));
    close(d);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(h->frame()->DriveInfoDlg(), nullptr);
    EXPECT_FALSE(h->Shown(ID_VIEW_DRIVEINFO)->isChecked());
  }
}

}  // namespace
