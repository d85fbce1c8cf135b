#pragma once

// ElidedLabel: a one-line label that shows as much of its text as fits,
// with "…" in the middle where it is cut, and the whole text in its tooltip
// and for screen readers.

#include <QLabel>

namespace orrikey {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  void setFullText(const QString& text, const QString& toolTip);
  QString fullText() const { return fullText_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void elide();

  QString fullText_;
};

}  // namespace orrikey
