#pragma once
// The base of every screen test: before each test function the modal watch
// is armed; afterwards the test fails if a modal window appeared, and the
// screens the program unloaded are deleted. Files a test writes go to a
// temporary folder of its own, removed with the test object.

#include "support/gui_fixture.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

namespace hk::ui::test {

class ScreenTestCase : public QObject {
    Q_OBJECT
protected:
    ModalWatch watch_;
    QTemporaryDir dir_;

    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

private slots:
    void init() { watch_.arm(); }
    void cleanup() {
        const QStringList modals = watch_.disarm();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(modals.isEmpty(), qPrintable(modals.join(QStringLiteral(", "))));
    }
};

} // namespace hk::ui::test
