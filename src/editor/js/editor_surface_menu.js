// Where the context menu opens, with the spell checker's entries for the word under the pointer:
// a right click first puts the caret at the pointer; a menu asked for from the keyboard opens
// at the caret.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;

    Object.assign(s.bridge, {
        // Puts the caret at a point of the page, unless the point lies on the selection.
        editorCaretToPoint(x, y) {
            const sel = document.getSelection();
            if (sel && sel.rangeCount > 0 && !sel.isCollapsed) {
                for (const box of sel.getRangeAt(0).getClientRects()) {
                    if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom)
                        return false;
                }
            }
            const r = document.caretRangeFromPoint(x, y);
            if (!r || !document.body || !document.body.contains(r.startContainer))
                return false;
            s.select(r);
            return true;
        },
        // Where a menu asked for from the keyboard opens: below the caret, or the selection's start.
        editorCaretPoint() {
            const r = s.selectionRange();
            if (!r)
                return [0, 0];
            let box = r.getClientRects()[0];
            if (!box) {
                const e = s.elementAt(r);
                box = e ? e.getBoundingClientRect() : null;
            }
            return box ? [box.left, box.bottom] : [0, 0];
        },
    });
})();
