// The WebEngine pane: navigation state, synchronous lookups and print preview.
#include "desktop/web_pane.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <memory>

namespace sudoku {

namespace {

// Tells the pane's owner about every navigation before it starts; none is refused.
class NotifyingPage : public QWebEnginePage {
 public:
  NotifyingPage(QWebEngineProfile* profile, WebPane* pane)
      : QWebEnginePage(profile, pane), pane_(pane) {}

 protected:
  // A navigation that the handler starts replaces the one that raised the event, as a new
  // navigation cancels the one under way; it starts once the event has been answered.
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
    if (!isMainFrame || !pane_->beforeNavigate) return true;
    const std::optional<std::string> replacement =
        pane_->RunBeforeNavigate(ToLatin1(url.toString()));
    if (!replacement) return true;
    QTimer::singleShot(0, pane_,
                       [pane = pane_, address = *replacement] { pane->Navigate(address); });
    return false;
  }

 private:
  WebPane* pane_;
};

QUrl UrlOf(const std::string& address) {
  const QString text = FromLatin1(address);
  if (text.startsWith(QLatin1Char('/'))) return QUrl::fromLocalFile(text);
  return QUrl(text);
}

// The lookup script: the first element of the body whose id equals NAME ignoring case.
QString LookupScript(const QString& name) {
  QString quoted = name;
  quoted.replace(QLatin1String("\\"), QLatin1String("\\\\"))
      .replace(QLatin1String("'"), QLatin1String("\\'"));
  return QStringLiteral(
             "(function(){var n='%1'.toLowerCase();"
             "if(!(document instanceof HTMLDocument))return{k:'nothtml'};"
             "var b=document.body;if(!(b instanceof HTMLElement))return{k:'nobody'};"
             "var all=b.getElementsByTagName('*');"
             "for(var i=0;i<all.length;i++){if((all[i].id||'').toLowerCase()===n){"
             "var v=all[i].getAttribute('value');return{k:'found',v:v===null?'':v};}}"
             "return{k:'none'};})()")
      .arg(quoted);
}

}  // namespace

QString FromLatin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLatin1(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

WebPane::WebPane(QWebEngineProfile* profile, QWidget* parent) : QWebEngineView(parent) {
  if (profile != nullptr) setPage(new NotifyingPage(profile, this));
  connect(this, &QWebEngineView::loadStarted, this, [this] { readyState_ = 1; });
  connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
    readyState_ = 4;
    loadFailed_ = !ok;
    if (documentComplete) documentComplete();
  });
  connect(this, &QWebEngineView::titleChanged, this, [this](const QString& title) {
    if (titleChanged) titleChanged(ToLatin1(title));
  });
}

std::optional<std::string> WebPane::RunBeforeNavigate(const std::string& address) {
  inBeforeNavigate_ = true;
  replacement_.reset();
  beforeNavigate(address);
  inBeforeNavigate_ = false;
  std::optional<std::string> replacement = std::move(replacement_);
  replacement_.reset();
  return replacement;
}

void WebPane::Navigate(const std::string& address) {
  if (inBeforeNavigate_) {
    replacement_ = address;
    readyState_ = 1;
    return;
  }
  readyState_ = 1;
  load(UrlOf(address));
}

void WebPane::StopLoading() {
  stop();
  if (readyState_ == 1) readyState_ = 4;
}

std::string WebPane::LocationName() const {
  const QString name = title();
  if (!name.isEmpty()) return ToLatin1(name);
  // A page that failed to load is named as the browser's error page, never by the address it
  // was meant to show.
  if (loadFailed_) return "Impossibile visualizzare la pagina";
  return ToLatin1(url().toString());
}

std::string WebPane::LocationUrl() const {
  return ToLatin1(url().toString());
}

void WebPane::WaitComplete(int timeoutMs) {
  if (readyState_ == 4) return;
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  connect(this, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
  timer.start(timeoutMs);
  loop.exec();
}

WebPane::Lookup WebPane::FindValueById(const std::string& name, int timeoutMs) {
  // The answer may come after the time bound, when this frame is gone: it only ever touches
  // the shared state, and the loop only while it still runs.
  struct Pending {
    bool answered = false;
    QEventLoop* loop = nullptr;
    Lookup result;
  };
  auto pending = std::make_shared<Pending>();
  page()->runJavaScript(LookupScript(FromLatin1(name)), [pending](const QVariant& value) {
    pending->answered = true;
    const QVariantMap map = value.toMap();
    const QString kind = map.value(QStringLiteral("k")).toString();
    if (kind == QLatin1String("found")) {
      pending->result.status = LookupStatus::kFound;
      pending->result.value = map.value(QStringLiteral("v")).toString();
    } else if (kind == QLatin1String("nobody")) {
      pending->result.status = LookupStatus::kNoBody;
    } else if (kind != QLatin1String("none")) {
      pending->result.status = LookupStatus::kNotHtml;
    }
    if (pending->loop != nullptr) pending->loop->quit();
  });
  if (!pending->answered) {
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    pending->loop = &loop;
    loop.exec();
    pending->loop = nullptr;
  }
  if (!pending->answered) return Lookup{LookupStatus::kNotHtml, {}};
  return pending->result;
}

void WebPane::ScrollTo(int x, int y) {
  page()->runJavaScript(QStringLiteral("window.scrollTo(%1,%2);").arg(x).arg(y));
}

void WebPane::PrintPreview() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(&printer, window());
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
    QEventLoop loop;
    connect(this, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
    print(target);
    loop.exec();
  });
  dialog.exec();
}

}  // namespace sudoku
