#pragma once

// TForm2: the Program Tool window, opened from the main window's Tools menu.
// It stays on top of the main window and is destroyed when closed.

#include <QWidget>

namespace orrikey {

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* owner);
};

}  // namespace orrikey
