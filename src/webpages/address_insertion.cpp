#include "webpages/address_insertion.h"

#include "base/messages.h"
#include "webpages/compose_form.h"
#include "webpages/page_state.h"
#include "webpages/web_pane.h"

namespace {
constexpr int composeTab = 2;
} // namespace

AddressInsertion::AddressInsertion(WebPane &mainPane, WebPane &composePane, PageState &state,
                                   ServiceOf serviceOf, Messages &messages, Tabs tabs, QObject *parent)
    : QObject(parent)
    , m_mainPane(mainPane)
    , m_composePane(composePane)
    , m_state(state)
    , m_serviceOf(std::move(serviceOf))
    , m_messages(messages)
    , m_tabs(std::move(tabs)) {
    setObjectName(QStringLiteral("AddressInsertion"));
    connect(&m_composePane, &WebPane::documentCompleted, this, &AddressInsertion::onComposeCompleted);
}

QString AddressInsertion::failureMessage() {
    return QStringLiteral(
        "Unable to insert address. Are you sure the Compose screen is displayed in your browser?");
}

AddressInsertion::Target AddressInsertion::composeTarget(int selectedTab, const QString &mainAddress) {
    if (selectedTab == composeTab)
        return Target::ComposePane;
    if (selectedTab == 1 && mainAddress.toLower().contains(QLatin1String("compose")))
        return Target::MainPane;
    return Target::AfterComposeLoads;
}

QString AddressInsertion::merged(QString value, const QStringList &addresses) {
    for (const QString &address : addresses) {
        if (value.isEmpty())
            value = address;
        else if (!value.contains(address))
            value += QLatin1Char(',') + address;
    }
    return value;
}

void AddressInsertion::Web_InsertField(int which) {
    const Target target = composeTarget(m_tabs.selected(), m_mainPane.locationUrl());
    if (target == Target::AfterComposeLoads) {
        m_tabs.select(composeTab);
        m_state.to_retry = true;
        m_state.to_retry_which = which;
        return;
    }
    m_state.to_retry = false;
    const bool fromPalette = which == PaletteTo;
    if (fromPalette)
        which = To;

    m_state.webmail = m_serviceOf(m_mainPane.locationUrl());
    const std::optional<ComposeForm::Field> field = which == To    ? std::optional(ComposeForm::Field::To)
                                                    : which == Cc  ? std::optional(ComposeForm::Field::Cc)
                                                    : which == Bcc ? std::optional(ComposeForm::Field::Bcc)
                                                                   : std::nullopt;
    WebPane &pane = target == Target::MainPane ? m_mainPane : m_composePane;
    const std::optional<QString> current =
        field ? ComposeForm::value(pane, m_state.webmail, *field) : std::nullopt;
    if (!current) {
        m_messages.inform(failureMessage());
        return;
    }

    QStringList addresses;
    if (fromPalette) {
        const std::optional<QString> pick = m_sources.palettePick ? m_sources.palettePick() : std::nullopt;
        if (!pick) {
            m_messages.inform(failureMessage());
            return;
        }
        addresses.append(*pick);
    } else if (m_sources.selectedAddresses) {
        addresses = m_sources.selectedAddresses();
    }
    if (!ComposeForm::setValue(pane, m_state.webmail, *field, merged(*current, addresses)))
        m_messages.inform(failureMessage());
}

void AddressInsertion::onComposeCompleted() {
    if (!m_state.to_retry)
        return;
    // Cleared first: should the insertion have to wait again, its new request stays.
    m_state.to_retry = false;
    Web_InsertField(m_state.to_retry_which);
}
