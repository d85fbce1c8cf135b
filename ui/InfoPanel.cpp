#include "ui/InfoPanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace orrikey {

// Read-only lines, some of which name a program line to go to.
class InfoPanel::LineList : public QPlainTextEdit {
 public:
  LineList(InfoPanel* panel, const char* name, const QString& accessibleName) : panel_(panel) {
    setObjectName(name);
    setAccessibleName(accessibleName);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    // INFO gives way to the panes in a low window, down to a line of its own.
    setMinimumHeight(fontMetrics().lineSpacing() + 2 * (frameWidth() + int(document()->documentMargin())));
  }

  void show(const QString& text, std::vector<int> targets) {
    if (text != toPlainText()) setPlainText(text);
    targets_ = std::move(targets);
    viewport()->setCursor(targets_.empty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !textCursor().hasSelection())
      choose(cursorForPosition(event->position().toPoint()).blockNumber());
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
      return choose(textCursor().blockNumber());
    QPlainTextEdit::keyPressEvent(event);
  }

 private:
  void choose(int row) {
    if (row >= 0 && size_t(row) < targets_.size()) emit panel_->lineChosen(targets_[size_t(row)]);
  }

  InfoPanel* panel_;
  std::vector<int> targets_;
};

InfoPanel::InfoPanel(QWidget* parent)
    : QTabWidget(parent),
      problems_(new LineList(this, "infoEdit", "Problems")),
      help_(new LineList(this, "helpView", "Help")),
      uses_(new LineList(this, "usesView", "Uses")) {
  setObjectName("infoPanel");
  setDocumentMode(true);
  addTab(problems_, "&Problems");
  addTab(help_, "He&lp");
  addTab(uses_, "&Uses");
}

void InfoPanel::showProblems(const QStringList& lines, std::vector<int> targets) {
  problems_->show(lines.join(u'\n'), std::move(targets));
}

void InfoPanel::showUses(const QStringList& lines, std::vector<int> targets) {
  relistUses(lines, std::move(targets));
  setCurrentWidget(uses_);
}

void InfoPanel::relistUses(const QStringList& lines, std::vector<int> targets) {
  uses_->show(lines.join(u'\n'), std::move(targets));
}

void InfoPanel::showHelp(const QString& text) {
  help_->show(text, {});
  setCurrentWidget(help_);
}

}  // namespace orrikey
