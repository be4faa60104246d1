#include "webpages/services/form_list_service.h"
#include "webpages/services/roundcube_service.h"

#include "webpages/page_model.h"
#include "webpages/web_pane.h"

const WebService &WebServices::forPage(const QString &recorded, const QString &address) {
    static const FormListService yahoo(PageModel::yahoo);
    static const FormListService hotmail(PageModel::hotmail);
    static const RoundcubeService roundcube;
    if (recorded == WebServices::roundcube)
        return roundcube;
    return PageModel::DetectProvider(address) == PageModel::yahoo ? static_cast<const WebService &>(yahoo)
                                                                  : hotmail;
}

const WebService &WebServices::named(const QString &name) {
    // The two older services' names are addresses their rule tells apart.
    return forPage(name, name);
}

std::optional<QString> WebServices::recognise(WebPane &pane) {
    const WebService::OwnLogin login = RoundcubeService::login();
    const auto fields = pane.callBridge(QStringLiteral("formFields"), {login.form});
    if (fields && fields->toMap().contains(login.user) && fields->toMap().contains(login.password))
        return WebServices::roundcube;
    return std::nullopt;
}
