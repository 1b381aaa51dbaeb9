// Browser pane port calls mapped onto the WebEngine pane.
#include "desktop/qt_browser_pane.h"

#include <QCoreApplication>
#include <QThread>

#include "desktop/web_pane.h"

namespace sudoku {

void QtBrowserPane::Navigate(const std::string& address, int) {
  pane_.Navigate(address);
}

void QtBrowserPane::Stop() {
  pane_.StopLoading();
}

int QtBrowserPane::ReadyState() const {
  return pane_.ReadyState();
}

std::string QtBrowserPane::LocationName() const {
  return pane_.LocationName();
}

std::string QtBrowserPane::LocationURL() const {
  return pane_.LocationUrl();
}

std::string QtBrowserPane::Title() const {
  return ToLatin1(pane_.title());
}

ElementLookup QtBrowserPane::FindElementValue(const std::string& id) {
  const WebPane::Lookup lookup = pane_.FindValueById(id);
  switch (lookup.status) {
    case WebPane::LookupStatus::kFound:
      return {ElementLookup::Outcome::Found, ToLatin1(lookup.value),
              lookup.value.toUtf8().toStdString()};
    case WebPane::LookupStatus::kNone:
      return {ElementLookup::Outcome::NotFound, {}};
    case WebPane::LookupStatus::kNoBody:
      return {ElementLookup::Outcome::NoBody, {}};
    case WebPane::LookupStatus::kNotHtml:
      break;
  }
  return {ElementLookup::Outcome::NotHtmlDocument, {}};
}

void QtBrowserPane::ScrollTo(int x, int y) {
  pane_.ScrollTo(x, y);
}

void QtBrowserPane::PrintPreview() {
  pane_.PrintPreview();
}

void QtBrowserPane::ProcessEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  QThread::yieldCurrentThread();
}

void BlankBrowserPane::ProcessEvents() {
  QCoreApplication::processEvents();
}

}  // namespace sudoku
