#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// For tests that drive the program from outside with real input events: when the environment
// names a file in CORVALIS_WIDGET_MAP, the program keeps there a list of its shown windows and
// of their named controls with their places on the screen. Off unless asked for.
class WidgetMap : public QObject {
public:
    // Starts keeping the map when the environment asks for one.
    static void startIfAsked();

private:
    explicit WidgetMap(QString path);
    void write() const;

    QString m_path;
    QTimer m_refresh;
};
