#pragma once

// DiskChangeBar: the bar above the program text that says another program
// changed or removed the open file, and offers to read it again or to keep
// the text on screen.

#include <QWidget>

class QLabel;
class QPushButton;

namespace orrikey {

class DiskChangeBar : public QWidget {
  Q_OBJECT

 public:
  explicit DiskChangeBar(QWidget* parent = nullptr);

  // A file that is gone cannot be read again: the bar offers only to keep.
  void showChange(const QString& fileName, bool gone);

 signals:
  void reloadClicked();
  void keepClicked();

 private:
  QLabel* message_;
  QPushButton* reload_;
};

}  // namespace orrikey
