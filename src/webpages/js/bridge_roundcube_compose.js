// Roundcube's compose page: its fields read and written as the page's user fills them. To, Cc and
// Bcc sit behind a recipient widget that rebuilds itself from its hidden text area on a `change`
// event; Cc and Bcc are rows of their own, hidden until they hold something. The body is a text
// area, or in HTML mode (`_is_html` 1) an editor's frame whose text the user sees.
(function () {
    'use strict';
    const bridge = window.corvalisBridge;
    if (!bridge || bridge.roundcubeComposeValue)
        return;

    const recipients = new Set(['_to', '_cc', '_bcc']);

    function composeField(name) {
        return bridge.find.field('form', name);
    }
    // The body of the HTML editor's document, while the page composes HTML and the editor is up.
    function htmlBody() {
        const mode = composeField('_is_html');
        if (!mode || mode.value !== '1')
            return null;
        const frame = document.getElementById('composebody_ifr');
        try {
            return frame && frame.contentDocument ? frame.contentDocument.body : null;
        } catch (e) {
            return null;
        }
    }
    // What the user typed into the widget and the widget has not taken yet.
    function pendingRecipient(area) {
        const widget = area.nextElementSibling;
        const input = widget && widget.classList.contains('recipient-input') ? widget.querySelector('input')
                                                                             : null;
        return input ? input.value.trim() : '';
    }
    function announce(element) {
        for (const type of ['input', 'change'])
            element.dispatchEvent(new Event(type, { bubbles: true }));
    }

    Object.assign(bridge, {
        // The field's text; a recipient list without the separator the widget ends it with.
        roundcubeComposeValue(name) {
            const field = composeField(name);
            if (!field)
                return null;
            if (recipients.has(name)) {
                const listed = String(field.value).replace(/[,;\s]+$/, '');
                const pending = pendingRecipient(field);
                return listed && pending ? listed + ', ' + pending : listed || pending;
            }
            const body = name === '_message' ? htmlBody() : null;
            return body ? body.innerText.replace(/\n$/, '') : String(field.value);
        },
        // The program has written the field's value: the page is told as if its user had typed it.
        // In HTML mode the text area holds the text as markup, which the editor is given too.
        roundcubeComposeWritten(name) {
            const field = composeField(name);
            if (!field)
                return false;
            announce(field);
            const body = name === '_message' ? htmlBody() : null;
            if (body) {
                body.innerHTML = field.value;
                announce(body);
            }
            const row = recipients.has(name) && field.value ? document.getElementById('compose' + name) : null;
            if (row)
                row.classList.remove('hidden');
            return true;
        },
    });
})();
