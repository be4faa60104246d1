// The web-mail message list: its message check boxes in page order, and the rows that hold them.
// `list` names the list form, which boxes are messages and the classes of a row's parts.
(function () {
    'use strict';
    const { form, elementsOf } = window.corvalisBridge.find;

    function messageBoxes(list) {
        const f = form(list.form);
        if (!f)
            return null;
        const boxes = [];
        for (const e of elementsOf(f)) {
            const isMessage = list.boxName ? e.name === list.boxName
                                           : e.type === 'checkbox' && e.name !== list.selectAll;
            if (isMessage)
                boxes.push(e);
        }
        return boxes;
    }
    // The text of a row's part, with the address a display name stands for when the page gives it.
    function partText(row, className) {
        const part = row ? row.getElementsByClassName(className)[0] : null;
        if (!part)
            return '';
        const title = part.getAttribute('title');
        return title ? part.innerText + ' ' + title : part.innerText;
    }

    Object.assign(window.corvalisBridge, {
        messageRows(list) {
            const boxes = messageBoxes(list);
            if (!boxes)
                return null;
            return boxes.map(function (box) {
                const row = box.closest('tr');
                return {
                    ticked: !!box.checked,
                    unread: !!row && row.classList.contains(list.unreadClass),
                    sender: partText(row, list.senderClass),
                    subject: partText(row, list.subjectClass),
                };
            });
        },
        // Ticks or unticks each box whose state differs from `ticks`; boxes beyond it stay.
        setMessageTicks(list, ticks) {
            const boxes = messageBoxes(list);
            if (!boxes)
                return false;
            boxes.forEach(function (box, i) {
                if (i < ticks.length && !!box.checked !== ticks[i])
                    box.checked = ticks[i];
            });
            return true;
        },
    });
})();
