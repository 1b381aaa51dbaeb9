// Sound, paint and pause effects of the shell.
#include "desktop/qt_effects.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "desktop/grid_view.h"
#include "desktop/tfsudoku.h"

namespace sudoku {

QtEffects::QtEffects(TFsudoku& window, std::function<void()> sync)
    : window_(window), sync_(std::move(sync)) {}

QtEffects::~QtEffects() = default;

void QtEffects::PlaySound(const std::filesystem::path& path) {
  const QString file = QString::fromStdString(path.string());
  if (!QFileInfo(file).isReadable()) {
    // Reported once the command has finished: a missing sound must not cut short what the
    // command still has to do (pausing the timer, recording a solve).
    const std::string message = "Cannot open the sound file " + path.string();
    QTimer::singleShot(0, &window_, [this, message] {
      if (reportError) reportError(message);
    });
    return;
  }
  // A sound effect plays wave files through the audio device itself; the media player would
  // need a decoding pipeline, and without its plugins it brings the program down.
  if (sound_ == nullptr) sound_ = new QSoundEffect(&window_);
  sound_->stop();
  sound_->setSource(QUrl::fromLocalFile(file));
  sound_->play();
}

namespace {

QRect ToQRect(const Rect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace

void QtEffects::FillRect(GridId grid, const Rect& rect, const Rgb& colour) {
  GridView* view = grid == GridId::Candidates ? window_.Candidates() : window_.Board();
  view->FillRect(ToQRect(rect), QColor(colour.r, colour.g, colour.b));
}

void QtEffects::ClearFills(GridId grid, const std::optional<Rect>& area) {
  GridView* view = grid == GridId::Candidates ? window_.Candidates() : window_.Board();
  view->ClearFills(area ? ToQRect(*area) : QRect());
}

void QtEffects::Pause(int ms) {
  if (sync_) sync_();
  window_.repaint();
  if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

void QtEffects::Announce(const std::string& text) {
  window_.Board()->Announce(QString::fromLatin1(text.data(), qsizetype(text.size())));
}

bool QtEffects::SetFocus(const std::string& control) {
  auto* widget = window_.findChild<QWidget*>(QString::fromStdString(control));
  if (widget == nullptr || !widget->isVisible() || !widget->isEnabled() ||
      widget->focusPolicy() == Qt::NoFocus) {
    return false;
  }
  widget->setFocus(Qt::OtherFocusReason);
  return true;
}

}  // namespace sudoku
