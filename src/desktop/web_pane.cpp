// The browser pane: the light view for the game's own pages, the engine's view made on demand,
// navigation state, synchronous lookups and print preview.
#include "desktop/web_pane.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStackedLayout>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTimer>
#include <QVariantMap>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <memory>

#include "desktop/browser_callback.h"

namespace sudoku {

namespace {

// Refuses the navigations the pane's policy does not allow, and tells the pane's owner about
// every other one before it starts.
class NotifyingPage : public QWebEnginePage {
 public:
  // view: the page's parent, which must outlive it (the page reaches its view as it goes).
  NotifyingPage(QWebEngineProfile* profile, WebPane* pane, QWebEngineView* view)
      : QWebEnginePage(profile, view), pane_(pane) {}

 protected:
  // A navigation that the handler starts replaces the one that raised the event, as a new
  // navigation cancels the one under way; it starts once the event has been answered.
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
    if (!pane_->Allows(url)) return false;
    if (!isMainFrame || !pane_->beforeNavigate) return true;
    std::optional<std::string> replacement;
    {
      BrowserCallback inside;
      replacement = pane_->RunBeforeNavigate(ToLatin1(url.toString()));
    }
    if (!replacement) return true;
    QTimer::singleShot(0, pane_,
                       [pane = pane_, address = *replacement] { pane->Navigate(address); });
    return false;
  }

 private:
  WebPane* pane_;
};

bool IsAboutBlank(const QUrl& url) {
  return url.scheme() == QLatin1String("about") && url.path() == QLatin1String("blank");
}

bool IsWeb(const QString& scheme) {
  return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// A refused connection or an unknown host: nothing answered at that address.
bool Unreachable(const QWebEngineLoadingInfo& info) {
  return info.status() == QWebEngineLoadingInfo::LoadFailedStatus &&
         (info.errorDomain() == QWebEngineLoadingInfo::ConnectionErrorDomain ||
          info.errorDomain() == QWebEngineLoadingInfo::DnsErrorDomain);
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

bool NavigationPolicy::Allows(const QUrl& url) const {
  if (IsAboutBlank(url)) return true;
  const QString scheme = url.scheme().toLower();
  if (IsWeb(scheme)) {
    const int defaultPort = scheme == QLatin1String("https") ? 443 : 80;
    const int sitePort = site.port(site.scheme() == QLatin1String("https") ? 443 : 80);
    return site.isValid() && url.host().compare(site.host(), Qt::CaseInsensitive) == 0 &&
           url.port(defaultPort) == sitePort;
  }
  if (scheme != QLatin1String("file") || localPages.isEmpty()) return false;
  const QString path = QDir::cleanPath(url.toLocalFile());
  return path.startsWith(QDir::cleanPath(localPages) + QLatin1Char('/'));
}

QString FromLatin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLatin1(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

WebPane::WebPane(ProfileSource profile, QWidget* parent)
    : QWidget(parent), profile_(std::move(profile)) {
  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(0, 0, 0, 0);
  light_ = new QTextBrowser(this);
  light_->setFrameShape(QFrame::NoFrame);
  // Links go through Navigate, as the engine's do, so that the policy and beforeNavigate apply.
  light_->setOpenLinks(false);
  connect(light_, &QTextBrowser::anchorClicked, this,
          [this](const QUrl& link) { Navigate(ToLatin1(lightUrl_.resolved(link).toString())); });
  stack_->addWidget(light_);
}

WebPane::WebPane(QWebEngineProfile* profile, QWidget* parent)
    : WebPane(ProfileSource([profile] { return profile; }), parent) {}

QWebEngineView* WebPane::Engine() {
  if (engine_ != nullptr) return engine_;
  engine_ = new QWebEngineView(this);
  if (QWebEngineProfile* profile = profile_ ? profile_() : nullptr) {
    engine_->setPage(new NotifyingPage(profile, this, engine_));
  }
  stack_->addWidget(engine_);
  // Only the engine's events while its page is the pane's count.
  connect(engine_, &QWebEngineView::loadStarted, this, [this] {
    if (engineShown_) readyState_ = 1;
  });
  connect(engine_, &QWebEngineView::loadFinished, this, [this](bool ok) {
    if (!engineShown_) return;
    // A page that could not be loaded leaves the light view's page on the screen.
    if (ok) stack_->setCurrentWidget(engine_);
    Finished(ok);
  });
  connect(engine_, &QWebEngineView::titleChanged, this, [this](const QString& title) {
    if (!engineShown_) return;
    toldTitle_ = title;
    QTimer::singleShot(0, this, [this, text = ToLatin1(title)] {
      if (titleChanged) titleChanged(text);
    });
  });
  connect(engine_->page(), &QWebEnginePage::loadingChanged, this,
          [this](const QWebEngineLoadingInfo& info) {
            if (!engineShown_) return;
            if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) unreachable_ = false;
            if (!Unreachable(info)) return;
            unreachable_ = true;
            QTimer::singleShot(0, this, [this, address = ToLatin1(info.url().toString())] {
              if (navigateError) navigateError(address);
            });
          });
  return engine_;
}

QWebEnginePage* WebPane::page() {
  return Engine()->page();
}

void WebPane::ShowLight() {
  if (!engineShown_) return;
  engineShown_ = false;
  stack_->setCurrentWidget(light_);
  // The site's pages run no scripts: the page left behind only stops loading.
  engine_->stop();
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
  const QUrl url(FromLatin1(address));
  if (!Allows(url)) {
    if (readyState_ != 1) readyState_ = 4;  // a load under way goes on
    return;
  }
  if (inBeforeNavigate_) {
    replacement_ = address;
    readyState_ = 1;
    return;
  }
  readyState_ = 1;
  const bool light = url.isLocalFile() || (IsAboutBlank(url) && !engineShown_);
  if (!light) {
    // The engine's state counts from now on; its view is shown once it has a page.
    Engine();
    engineShown_ = true;
    engine_->load(url);
    return;
  }
  // The engine asks beforeNavigate about every navigation; the light view does the same.
  if (beforeNavigate) {
    std::optional<std::string> replacement;
    {
      BrowserCallback inside;
      replacement = RunBeforeNavigate(ToLatin1(url.toString()));
    }
    if (replacement) {
      QTimer::singleShot(0, this, [this, next = *replacement] { Navigate(next); });
      return;
    }
  }
  ShowLight();
  LoadLight(url);
}

void WebPane::LoadLight(const QUrl& url) {
  lightUrl_ = url;
  unreachable_ = false;
  bool ok = true;
  if (IsAboutBlank(url)) {
    light_->clear();
  } else {
    QFile file(url.toLocalFile());
    ok = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = ok ? file.readAll() : QByteArray();
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    light_->setHtml(decoder.isValid() ? QString(decoder(bytes)) : QString::fromUtf8(bytes));
  }
  // The engine tells a new title once the page has it; so does this view.
  const QString shown = title();
  QTimer::singleShot(0, this, [this, shown] {
    if (!engineShown_ && lightUrl_.isValid()) NoticeTitle(shown);
  });
  Finished(ok);
}

void WebPane::NoticeTitle(const QString& title) {
  if (title == toldTitle_) return;
  toldTitle_ = title;
  if (titleChanged) titleChanged(ToLatin1(title));
}

void WebPane::Finished(bool ok) {
  readyState_ = 4;
  loadFailed_ = !ok;
  emit loadFinished(ok);
  // The events reach the owner from the event loop: the engine's own callbacks stay short.
  QTimer::singleShot(0, this, [this] {
    if (documentComplete) documentComplete();
  });
}

void WebPane::StopLoading() {
  if (engineShown_) engine_->stop();
  if (readyState_ == 1) readyState_ = 4;
}

QString WebPane::title() const {
  if (engineShown_) return engine_->title();
  const QString name = light_->documentTitle();
  return name.isEmpty() ? lightUrl_.toString() : name;
}

QUrl WebPane::url() const {
  return engineShown_ ? engine_->url() : lightUrl_;
}

std::string WebPane::LocationName() const {
  // A page that failed to load is named as the browser's error page, never by the address it
  // was meant to show (which the engine gives as the title of a page without one).
  constexpr const char* kNoPage = "Impossibile visualizzare la pagina";
  if (unreachable_) return kNoPage;
  const QString name = title();
  if (!name.isEmpty()) return ToLatin1(name);
  if (loadFailed_) return kNoPage;
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
  connect(this, &WebPane::loadFinished, &loop, &QEventLoop::quit);
  timer.start(timeoutMs);
  loop.exec();
}

WebPane::Lookup WebPane::FindValueById(const std::string& name, int timeoutMs) {
  if (!engineShown_) return {};
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
  if (!engineShown_) {
    light_->horizontalScrollBar()->setValue(x);
    light_->verticalScrollBar()->setValue(y);
    return;
  }
  page()->runJavaScript(QStringLiteral("window.scrollTo(%1,%2);").arg(x).arg(y));
}

void WebPane::PrintPreview() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(&printer, window());
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
    if (!engineShown_) {
      light_->print(target);
      return;
    }
    QEventLoop loop;
    connect(engine_, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
    engine_->print(target);
    loop.exec();
  });
  dialog.exec();
}

}  // namespace sudoku
