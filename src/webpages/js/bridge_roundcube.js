// Roundcube's pages: its message list (rows built by its own script, the check boxes in no form),
// and the raw source of the message on display.
(function () {
    'use strict';

    function listRows() {
        const list = document.getElementById('messagelist');
        return list ? Array.from(list.querySelectorAll('tbody tr.message')) : null;
    }
    // The sender's display name and address, as the row's contact element gives them.
    function sender(row) {
        const contact = row.querySelector('span.fromto .rcmContactAddress, span.fromto [title]');
        if (!contact)
            return '';
        const address = contact.getAttribute('title');
        return address ? contact.innerText + ' ' + address : contact.innerText;
    }
    // The uid and folder of the message on display: the page's own, or the preview frame's.
    function shownMessage() {
        const frame = document.getElementById('messagecontframe');
        for (const place of [window.location, frame && frame.contentWindow && frame.contentWindow.location]) {
            try {
                const query = place ? new URLSearchParams(place.search) : null;
                if (query && query.get('_uid'))
                    return { uid: query.get('_uid'), mbox: query.get('_mbox') || 'INBOX' };
            } catch (e) {
                // a frame of another origin says nothing
            }
        }
        return null;
    }

    Object.assign(window.corvalisBridge, {
        roundcubeRows() {
            const rows = listRows();
            if (!rows)
                return null;
            return rows.map(row => ({
                ticked: row.classList.contains('selected'),
                unread: row.classList.contains('unread'),
                sender: sender(row),
                subject: (row.querySelector('span.subject a') || { innerText: '' }).innerText,
            }));
        },
        // Clicks the selection box of each row whose selection differs from `ticks`, as the user
        // does: Roundcube's selection follows the clicks (a box's checked state alone does not).
        roundcubeSetTicks(ticks) {
            const rows = listRows();
            if (!rows)
                return false;
            rows.forEach(function (row, i) {
                const box = row.querySelector('td.selection input');
                if (box && i < ticks.length && row.classList.contains('selected') !== ticks[i])
                    box.click();
            });
            return true;
        },
        // The raw message on display, base64 encoded: one request to the page's own origin.
        roundcubeSource() {
            const shown = shownMessage();
            if (!shown)
                return null;
            const request = new XMLHttpRequest();
            const query = new URLSearchParams({ _task: 'mail', _uid: shown.uid, _mbox: shown.mbox,
                                                _action: 'viewsource' });
            request.open('GET', window.location.pathname + '?' + query.toString(), false);
            request.overrideMimeType('text/plain; charset=x-user-defined');
            request.send();
            if (request.status !== 200)
                return null;
            const text = request.responseText;
            let bytes = '';
            for (let i = 0; i < text.length; ++i)
                bytes += String.fromCharCode(text.charCodeAt(i) & 0xff);
            return btoa(bytes);
        },
    });
})();
