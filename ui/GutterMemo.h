#pragma once

// TGutterMemo: the multi-line text control of both panes. A plain-text editor
// with a strip on its left edge, the gutter, that numbers every row it shows,
// counting on past the last line. The text is kept as the characters of the
// display-code map; Text(), Lines() and their setters speak display codes.

#include <QColor>
#include <QPlainTextEdit>

#include <string>
#include <string_view>
#include <vector>

namespace orrikey {

class TGutterMemo : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(quint16 GutterSize READ GutterSize WRITE SetGutterSize)
  Q_PROPERTY(QColor GutterColor READ GutterColor WRITE SetGutterColor)
  Q_PROPERTY(QColor GutterTextColor READ GutterTextColor WRITE SetGutterTextColor)

 public:
  // The most text a pane takes, in bytes with CR LF line breaks.
  static constexpr size_t kCapacity = 4 << 20;

  explicit TGutterMemo(QWidget* parent = nullptr);

  quint16 GutterSize() const { return gutterSize_; }
  void SetGutterSize(quint16 pixels);
  QColor GutterColor() const { return gutterColor_; }
  void SetGutterColor(const QColor& color);
  QColor GutterTextColor() const { return gutterTextColor_; }
  void SetGutterTextColor(const QColor& color);

  // The text in display codes, CR LF between lines.
  std::string Text() const;
  // Takes CR LF, lone CR and lone LF as line breaks. Throws
  // std::runtime_error "Text exceeds memo capacity" and keeps the old text
  // when the new one is longer than kCapacity.
  void SetText(std::string_view codes);

  // A final line break ends the last line and starts no new one; an empty
  // text has no lines.
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  int LineCount() const;
  bool IsEmpty() const { return document()->isEmpty(); }

  // Deletes the lines of these indexes as one undo step. Deleting the last
  // line keeps the line break before it, as deleting a line of a memo does.
  void DeleteLines(const std::vector<int>& indexes);

  // Replaces the selection, or inserts at the caret, and records no undo
  // step: the undo history ends before the new text.
  void ReplaceSelection(std::string_view codes);

  // One number of the gutter and the rectangle it is right-aligned in.
  struct GutterRow {
    int number;
    QRect rect;
  };
  std::vector<GutterRow> GutterRows() const;

 signals:
  // After the control has scrolled, with the scroll bar's new position.
  void OnVericalScroll(int position);
  void OnHorizontalScroll(int position);
  // Typed or pasted characters were left out; the message says which and why.
  void InputRefused(const QString& message);
  // After a double-click has selected the word under the mouse.
  void DoubleClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  class Gutter;

  void UpdateGutterLayout();
  void PaintGutter();
  void ReportRefused(const QString& refused);

  Gutter* gutter_;
  quint16 gutterSize_ = 0;
  QColor gutterColor_;
  QColor gutterTextColor_;
};

}  // namespace orrikey
