// The real WebEngine pane offscreen: loading a local page, and the value lookup by id that
// the challenge pages are read with.
#include <QFile>
#include <QWebEngineProfile>

#include "desktop/web_pane.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

TEST_F(ShellTest, PaneFindsTheFirstValueWhoseIdMatchesIgnoringCase) {
  const QString page = folder.filePath(QStringLiteral("page.html"));
  QFile file(page);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "<html><head><meta charset='utf-8'><title>dati sfida</title></head><body>"
      "<div><input id='NickName' value='bob'></div><input id='nickname' value='second'>"
      "<span id='empty'></span><input id='caf' value='\xC3\xA8'></body></html>");
  file.close();

  QWebEngineProfile profile;
  WebPane pane(&profile);
  EXPECT_EQ(pane.ReadyState(), 0);
  pane.Navigate(page.toStdString());
  pane.WaitComplete(20000);
  ASSERT_EQ(pane.ReadyState(), 4);
  EXPECT_EQ(pane.LocationName(), "dati sfida");

  const WebPane::Lookup found = pane.FindValueById("NICKNAME");
  EXPECT_EQ(found.status, WebPane::LookupStatus::kFound);
  EXPECT_EQ(found.value, "bob");
  EXPECT_EQ(pane.FindValueById("empty").status, WebPane::LookupStatus::kFound);
  EXPECT_EQ(pane.FindValueById("empty").value, "");
  EXPECT_EQ(pane.FindValueById("caf").value, "\xE8");  // Latin-1 for the logic
  EXPECT_EQ(pane.FindValueById("nobody").status, WebPane::LookupStatus::kNone);
}

}  // namespace
}  // namespace sudoku::testing
