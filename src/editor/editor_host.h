#pragma once

#include <QObject>

// The object the surface's script reports to through the web channel; it only relays.
class EditorHost : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    void displayChanged() { emit displayChangeReported(); }
    void focusLost() { emit focusLossReported(); }

signals:
    void displayChangeReported();
    void focusLossReported();
};
