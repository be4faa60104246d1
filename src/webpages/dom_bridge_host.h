#pragma once

#include <QObject>
#include <QVariantMap>

// The object a page's bridge script talks to through the web channel. It only relays
// what the page reports; WebPane keeps the state.
class DomBridgeHost : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    void fieldsChanged(const QString &form, const QVariantMap &fields) { emit fieldsReported(form, fields); }
    void formSubmitted(const QString &form, const QString &action, const QString &postData) {
        emit submitReported(form, action, postData);
    }

signals:
    void fieldsReported(const QString &form, const QVariantMap &fields);
    void submitReported(const QString &form, const QString &action, const QString &postData);
};
