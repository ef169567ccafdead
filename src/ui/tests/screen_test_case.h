#pragma once
// The base of every screen test: before each test function the modal watch
// is armed; afterwards the test fails if a modal window appeared, and the
// screens the program unloaded are deleted.

#include "gui_fixture.h"

#include <QObject>
#include <QTest>

namespace hk::ui::test {

class ScreenTestCase : public QObject {
    Q_OBJECT
protected:
    ModalWatch watch_;

private slots:
    void init() { watch_.arm(); }
    void cleanup() {
        const QStringList modals = watch_.disarm();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(modals.isEmpty(), qPrintable(modals.join(QStringLiteral(", "))));
    }
};

} // namespace hk::ui::test
