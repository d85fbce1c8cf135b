#pragma once

// Completer: the completion list of the program pane. It opens by itself once
// two characters of an instruction name are typed, and on Ctrl+Space
// anywhere; the list holds what may follow the text before the caret.

#include "editing/ProgramModel.h"

#include <QObject>

#include <functional>

class QCompleter;
class QKeyEvent;
class QPlainTextEdit;
class QStringListModel;

namespace orrikey {

class Completer : public QObject {
  Q_OBJECT

 public:
  // The completions at a caret (zero-based line, column).
  using Source = std::function<editing::Completion(int line, int column)>;

  Completer(QPlainTextEdit* editor, Source source);

  // The open list's own keys (choose, close), which the editor leaves alone.
  // Not const: a Return that only ends the line closes the list.
  bool takesKey(const QKeyEvent* event);
  // After the editor has handled a key.
  void keyHandled(const QKeyEvent* event);
  bool isOpen() const;

 private:
  void update(bool asked);
  void insert(const QString& word);

  QPlainTextEdit* editor_;
  Source source_;
  QCompleter* completer_;
  QStringListModel* words_;
  int start_ = 0;  // where in the caret's line the completed word begins
};

}  // namespace orrikey
