#include "ui/common/WindowState.h"

#include <QHeaderView>
#include <QSettings>
#include <QSplitter>

#include "core/app/AutoStartEntry.h"

namespace kolvex {

WindowState::WindowState(const QString& path) {
  if (!path.isEmpty()) settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

WindowState::~WindowState() = default;

QString WindowState::userPath() {
  // The same configuration folder as the automatic-start entry's.
  const std::string home = AutoStartEntry::userConfigHome();
  return home.empty() ? QString() : QString::fromStdString(home) + "/Kolvex/WindowState.ini";
}

QVariant WindowState::value(const QString& key, const QVariant& fallback) const {
  return settings_ ? settings_->value(key, fallback) : fallback;
}

void WindowState::setValue(const QString& key, const QVariant& value) {
  if (settings_) settings_->setValue(key, value);
}

bool WindowState::save() {
  if (!settings_) return false;
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

void WindowState::saveHeader(const QString& key, const QHeaderView* header) {
  setValue(key, header->saveState());
  setValue(key + "Count", header->count());
}

void WindowState::restoreHeader(const QString& key, QHeaderView* header) const {
  const QByteArray saved = value(key).toByteArray();
  // A state of another number of columns (an older version's list) is left alone.
  if (saved.isEmpty() || value(key + "Count").toInt() != header->count()) return;
  header->restoreState(saved);
}

void WindowState::saveSplitter(const QString& key, const QSplitter* splitter) {
  setValue(key, splitter->saveState());
}

void WindowState::restoreSplitter(const QString& key, QSplitter* splitter) const {
  const QByteArray saved = value(key).toByteArray();
  if (!saved.isEmpty()) splitter->restoreState(saved);
}

}  // namespace kolvex
