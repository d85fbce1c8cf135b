#pragma once

// TerminationSignals: SIGTERM, SIGHUP and SIGINT, as a logout, a closed
// terminal or Ctrl+C send them, delivered as a Qt signal in the event loop,
// where the editor can keep its work before it closes.

#include <QObject>

class QSocketNotifier;

namespace orrikey {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // One for the process.
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void received();

 private:
  QSocketNotifier* notifier_;
};

}  // namespace orrikey
