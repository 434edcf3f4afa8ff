#pragma once
// What the windows remember for a user between runs: the main window's size, place and
// maximised state, list styles, column widths, sort orders and splitter positions. Kept in
// the user's configuration folder ($XDG_CONFIG_HOME/Kolvex/WindowState.ini), apart from
// Options.cfg, whose format is fixed. A missing or unreadable file means the defaults.
#include <QString>
#include <QVariant>
#include <memory>

class QHeaderView;
class QSettings;
class QSplitter;

namespace kolvex {

class WindowState {
 public:
  // The file (an INI file); empty for a state that is neither read nor written.
  explicit WindowState(const QString& path);
  ~WindowState();
  WindowState(const WindowState&) = delete;
  WindowState& operator=(const WindowState&) = delete;

  // The user's file; empty when the user has no configuration folder.
  static QString userPath();

  QVariant value(const QString& key, const QVariant& fallback = {}) const;
  void setValue(const QString& key, const QVariant& value);
  // Writes what was set; false when the file cannot be written.
  bool save();

  // Column widths, their order and the sort indicator of a list header; splitter sizes.
  void saveHeader(const QString& key, const QHeaderView* header);
  void restoreHeader(const QString& key, QHeaderView* header) const;
  void saveSplitter(const QString& key, const QSplitter* splitter);
  void restoreSplitter(const QString& key, QSplitter* splitter) const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace kolvex
