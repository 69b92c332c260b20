// The drive information window as a user meets it: opened and closed by its
// command, Esc, Enter and the close box with the check mark in step, the
// first fixed drive shown at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <functional>

#include "driveinfo/ui/DriveInfoDlg.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GuiHarness.h"

namespace {

using driveinfo::CDriveInfoDlg;

class DriveInfoWindow : public ::testing::Test {
 protected:
  DriveInfoWindow() {
    fs.AddDrive("/", platform::kDriveFixed);
    fs.AddDrive("/media/cdrom", platform::kDriveCdRom);
    fs.AddDrive("/home", platform::kDriveFixed);
    fs.AddDirectory("/");
    fs.SetVolumeInfo("/", {"system", 0xFFFFFFFFu, 255, 0x1 | 0x2 | 0x8000, "btrfs"});
    fs.SetDiskFreeSpace("/", {8, 512, 1000, 4000});
    fs.SetVolumeInfo("/home", {"home", 0x7FFFFFFFu, 255, 0x20, "ext4"});
    fs.FailVolumeInfo("/media/cdrom");
    fs.FailDiskFreeSpace("/media/cdrom");
  }

  CDriveInfoDlg* Open(testsupport::GuiHarness& h) {
    h.action(ID_VIEW_DRIVEINFO)->trigger();
    return h.frame()->DriveInfoDlg();
  }
  static QString Field(CDriveInfoDlg* d, res::Id id) { return d->Item<QLineEdit>(id)->text(); }
  static QString Flags(CDriveInfoDlg* d) {
    return d->Item<QPlainTextEdit>(IDC_EDIT_FLAGS)->toPlainText();
  }
  static void Press(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  }
  static QString CurrentLine(CDriveInfoDlg* d) {
    QListWidgetItem* item = d->DriveList()->currentItem();
    return item != nullptr && item->isSelected() ? item->text() : QString();
  }

  test_support::FakeFileSystem fs;
};

// Each way of closing clears the check mark, and the next command opens it
// anew with the drives read again and the first fixed drive chosen.
TEST_F(DriveInfoWindow, CommandEscEnterAndCloseBoxCloseItAndTheNextCommandReopens) {
  testsupport::GuiHarness h(&fs);
  EXPECT_FALSE(h.updated(ID_VIEW_DRIVEINFO)->isChecked());
  const std::function<void(CDriveInfoDlg*)> closers[] = {
      [&h](CDriveInfoDlg*) { h.action(ID_VIEW_DRIVEINFO)->trigger(); },
      [](CDriveInfoDlg* d) { Press(d->DriveList(), Qt::Key_Escape); },
      [](CDriveInfoDlg* d) { Press(d->DriveList(), Qt::Key_Return); },
      [](CDriveInfoDlg* d) { Press(d->Item<QLineEdit>(IDC_EDIT_SERIAL), Qt::Key_Enter); },
      [](CDriveInfoDlg* d) { Press(d->Item<QPlainTextEdit>(IDC_EDIT_FLAGS), Qt::Key_Return); },
      [](CDriveInfoDlg* d) { d->close(); },
  };
  int n = 0;
  for (const auto& close : closers) {
    SCOPED_TRACE(n++);
    CDriveInfoDlg* d = Open(h);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(d->windowTitle(), "Laufwerksinformation");
    EXPECT_TRUE(h.updated(ID_VIEW_DRIVEINFO)->isChecked());
    EXPECT_EQ(CurrentLine(d), "/\tFestplattenlaufwerk");
    d->DriveList()->setCurrentRow(2);  // the user picks /media/cdrom
    EXPECT_EQ(CurrentLine(d), "/media/cdrom\tCD-ROM-Laufwerk");
    close(d);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(h.frame()->DriveInfoDlg(), nullptr);
    EXPECT_FALSE(h.updated(ID_VIEW_DRIVEINFO)->isChecked());
  }
}

TEST_F(DriveInfoWindow, ShowsTheChosenDrivesFiguresAndEmptyFieldsForAFailingDrive) {
  testsupport::GuiHarness h(&fs);
  CDriveInfoDlg* d = Open(h);
  ASSERT_NE(d, nullptr);
  const auto fields = [d] {
    QStringList out;
    for (const res::Id id : {IDC_EDIT_VOLUMENAME, IDC_EDIT_SERIAL, IDC_EDIT_FILESYSTEM, IDC_EDIT_MAXNAMELEN,
                             IDC_EDIT_SECTORS, IDC_EDIT_BYTES, IDC_EDIT_FREECLUSTERS, IDC_EDIT_TOTALCLUSTERS})
      out << Field(d, id);
    return out;
  };
  QListWidget* list = d->DriveList();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(1)->text(), "/home\tFestplattenlaufwerk");
  EXPECT_EQ(fields(), (QStringList{"system", "-1", "btrfs", "255", "8", "512", "1000", "4000"}));
  EXPECT_EQ(Flags(d), "Unterscheidet Dateinamen mit Groß- und Kleinschreibung\n"
                      "Speichert Dateinamen mit Groß- und Kleinschreibung\n"
                      "Unterstützt Komprimierung auf Laufwerksebene\n");
  list->setCurrentRow(2);
  EXPECT_EQ(fields(), (QStringList{"", "0", "", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(Flags(d), "");
}

TEST_F(DriveInfoWindow, WithoutFixedDriveNothingIsSelected) {
  test_support::FakeFileSystem removable;
  removable.AddDrive("/media/stick", platform::kDriveRemovable);
  removable.SetVolumeInfo("/media/stick", {"STICK", 5, 255, 0x6, "vfat"});
  testsupport::GuiHarness h(&removable);
  CDriveInfoDlg* d = Open(h);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->DriveList()->count(), 1);
  EXPECT_EQ(CurrentLine(d), "");
  EXPECT_EQ(Field(d, IDC_EDIT_VOLUMENAME), "");
}

}  // namespace
