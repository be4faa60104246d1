// The program's bridge into a page's document. Runs in the program's own script world, so
// it works even where the page's own scripts are switched off, and page scripts cannot see it.
// Lookups follow the old document-object rules: forms by name or id, form fields by name,
// elements by id or else by name. Every function returns null when it finds nothing.
(function () {
    'use strict';
    if (window.corvalisBridge)
        return;

    // A field named like a property of its form ("action", "elements", "id", "submit") hides
    // that property on the form object; the prototypes' own accessors still reach the real ones.
    const formElements = Object.getOwnPropertyDescriptor(HTMLFormElement.prototype, 'elements').get;
    const formAction = Object.getOwnPropertyDescriptor(HTMLFormElement.prototype, 'action');
    const elementId = Object.getOwnPropertyDescriptor(Element.prototype, 'id').get;
    const attribute = Element.prototype.getAttribute;
    function elementsOf(f) { return formElements.call(f); }
    function actionOf(f) { return formAction.get.call(f); }

    function form(name) {
        const byName = document.forms.namedItem(name);
        if (byName)
            return byName instanceof HTMLFormElement ? byName : byName[0];
        const byId = document.getElementById(name);
        return byId instanceof HTMLFormElement ? byId : null;
    }
    function field(formName, fieldName) {
        const f = form(formName);
        if (!f)
            return null;
        const e = elementsOf(f).namedItem(fieldName);
        if (!e)
            return null;
        // A name shared by several fields gives a list; the first one is meant.
        return (e instanceof RadioNodeList) ? e[0] : e;
    }
    function all(id) {
        return document.getElementById(id) || document.getElementsByName(id)[0] || null;
    }
    function fieldsOf(f) {
        const out = {};
        for (const e of elementsOf(f)) {
            if (e.name && !(e.name in out) && !((e.type === 'checkbox' || e.type === 'radio') && !e.checked))
                out[e.name] = e.value;
        }
        return out;
    }
    function encodeFields(f) {
        const parts = [];
        for (const e of elementsOf(f)) {
            if (!e.name || e.disabled || e.type === 'submit' || e.type === 'button' || e.type === 'image')
                continue;
            if ((e.type === 'checkbox' || e.type === 'radio') && !e.checked)
                continue;
            parts.push(encodeURIComponent(e.name).replace(/%20/g, '+') + '=' +
                       encodeURIComponent(e.value).replace(/%20/g, '+'));
        }
        return parts.join('&');
    }
    function nameOf(f) { return attribute.call(f, 'name') || elementId.call(f) || ''; }
    // The program reports its own submits (the submit event does not fire for them).
    function submit(f) {
        const posted = { form: nameOf(f), action: actionOf(f), data: encodeFields(f) };
        HTMLFormElement.prototype.submit.call(f);
        return posted;
    }
    const pageLocation = window.location;
    function isLocalFile(path) {
        try {
            return pageLocation.protocol === 'file:' && pageLocation.host === '' &&
                   decodeURIComponent(pageLocation.pathname) === path;
        } catch (e) {
            return false; // a path that does not decode is no file's
        }
    }

    // The long texts the program sent, by the function they went to, to take the next as its change.
    const sentTexts = new Map();

    window.corvalisBridge = {
        // The lookups, for the functions each area adds in its own bridge_<area>.js.
        find: { form, field, all, fieldsOf, encodeFields, elementsOf, actionOf },

        // Calls `name` with `args` and a long text, which the program sends whole ([id, text]) or,
        // when it sent one to `name` before, as its change to that one ([id, idBefore, keptStart,
        // keptEnd, middle]); 'corvalis:stale' when that one is not here (another document's).
        withText(name, args, sent) {
            let text = sent[1];
            if (sent.length > 2) {
                const before = sentTexts.get(name);
                if (!before || before.id !== sent[1])
                    return 'corvalis:stale';
                text = before.text.slice(0, sent[2]) + sent[4] + before.text.slice(before.text.length - sent[3]);
            }
            sentTexts.set(name, { id: sent[0], text });
            return this[name](...args, text);
        },

        // The document is on `place.origin`, or is the local file `place.localPage`.
        isIn(place) {
            return (!!place.origin && pageLocation.origin === place.origin) ||
                   (!!place.localPage && isLocalFile(place.localPage));
        },
        formFieldValue(formName, fieldName) {
            const e = field(formName, fieldName);
            return e ? String(e.value) : null;
        },
        setFormFieldValue(formName, fieldName, value) {
            const e = field(formName, fieldName);
            if (!e)
                return false;
            e.value = value;
            return true;
        },
        formFields(formName) {
            const f = form(formName);
            return f ? fieldsOf(f) : null;
        },
        formAction(formName) {
            const f = form(formName);
            return f ? actionOf(f) : null;
        },
        setFormAction(formName, action) {
            const f = form(formName);
            if (!f)
                return false;
            formAction.set.call(f, action);
            return true;
        },
        submitForm(formName, actionSuffix) {
            const f = form(formName);
            if (!f)
                return false;
            if (actionSuffix)
                formAction.set.call(f, actionOf(f) + actionSuffix);
            return submit(f);
        },
        // Only while this document is the one `place` names (the local file `place.localPage`, or
        // the page of `place.origin` at exactly `place.path`): checked, filled and submitted in one
        // step, so that no other document can be given the values.
        fillAndSubmitOn(place, formName, values) {
            const here = place.localPage ? isLocalFile(place.localPage)
                                         : !!place.origin && pageLocation.origin === place.origin &&
                                               pageLocation.pathname === place.path;
            if (!here)
                return false;
            const f = form(formName);
            const names = Object.keys(values);
            if (!f || names.some(name => !field(formName, name)))
                return false;
            for (const name of names)
                field(formName, name).value = values[name];
            return submit(f);
        },
        elementText(id) {
            const e = all(id);
            return e ? e.innerText : null;
        },
        elementHtml(id) {
            const e = all(id);
            return e ? e.innerHTML : null;
        },
        setElementHtml(id, html) {
            const e = all(id);
            if (!e)
                return false;
            e.innerHTML = html;
            return true;
        },
        // Several elements' text from one moment of one document: null for each one missing.
        elementTexts(ids) {
            const out = {};
            for (const id of ids) {
                const e = all(id);
                out[id] = e ? e.innerText : null;
            }
            return out;
        },
        bodyText() {
            return document.body ? document.body.innerText : null;
        },
    };

    // Report fields the user types and forms the user submits, so the program can see them
    // when the page is left (sign-in capture) or posted (sent copies). Only the user's own input
    // counts: events a page script makes up are not reported. What happens before the program is
    // reached (the channel comes a moment after the page, later on a busy machine) is reported
    // once it is: a Send clicked at once keeps its copy.
    const userSubmitMs = corvalisUserSubmitMs; // the pane's own rule, set before this script
    let host = null;
    const typedBeforeHost = new Set();
    const postedBeforeHost = [];
    const reportFields = function (f) {
        if (host)
            host.fieldsChanged(nameOf(f), fieldsOf(f));
        else
            typedBeforeHost.add(f);
    };
    const report = function (event) {
        const f = event.isTrusted && event.target && event.target.form;
        if (f)
            reportFields(f);
    };
    document.addEventListener('input', report, true);
    document.addEventListener('change', report, true);
    document.addEventListener('submit', function (event) {
        if (event.isTrusted && event.target instanceof HTMLFormElement)
            reportFields(event.target);
    }, true);
    // The user's last press of a mouse button or key in this document, on the page's own clock (the
    // page's scripts can make up neither): the submit is measured against it here, where no delay of
    // a busy machine comes between them.
    let lastUserPress = -Infinity;
    const notePress = function (event) {
        if (event.isTrusted)
            lastUserPress = performance.now();
    };
    window.addEventListener('pointerdown', notePress, true);
    window.addEventListener('keydown', notePress, true);
    // A post is announced only for a submit the browser itself fired (not a page script's
    // imitation) that no handler cancelled, once the handlers before this one have run, and only
    // shortly after the user's own press: a page script's submit on its own (requestSubmit(), a
    // button's click()) fires a trusted event too. The program reports the post when the page
    // really navigates with it.
    window.addEventListener('submit', function (event) {
        const f = event.target;
        if (!event.isTrusted || event.defaultPrevented || !(f instanceof HTMLFormElement) ||
            performance.now() - lastUserPress > userSubmitMs)
            return;
        const post = [nameOf(f), actionOf(f), encodeFields(f)];
        if (host)
            host.formSubmitted(...post);
        else
            postedBeforeHost.push(post);
    });
    function connectHost() {
        if (typeof QWebChannel === 'undefined' || typeof qt === 'undefined' || !qt.webChannelTransport)
            return;
        new QWebChannel(qt.webChannelTransport, function (channel) {
            // Other scripts of the program's world reach their own host objects here.
            if (window.corvalisBridge.onChannel)
                window.corvalisBridge.onChannel(channel.objects);
            host = channel.objects.corvalisHost;
            typedBeforeHost.forEach(reportFields);
            typedBeforeHost.clear();
            for (const post of postedBeforeHost.splice(0))
                host.formSubmitted(...post);
        });
    }
    if (document.readyState === 'loading')
        document.addEventListener('DOMContentLoaded', connectHost);
    else
        connectHost();
})();
