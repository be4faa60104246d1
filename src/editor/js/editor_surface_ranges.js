// Ranges and selections: the selection's type, text ranges and elements kept by number for the
// program's document operations, and the selection moved or widened.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;
    const { ranges, elements } = s;

    Object.assign(s.bridge, {
        editorSelectionType() {
            if (s.controlElement())
                return 'Control';
            return s.hasSelection() ? 'Text' : 'None';
        },
        // The characters before the selection's start; a selection becomes a caret there. A control
        // selection stays as it is and counts 0.
        editorSaveSelection() {
            const sel = document.getSelection();
            if (!sel || sel.rangeCount === 0 || !document.body || s.controlElement())
                return 0;
            const r = sel.getRangeAt(0);
            const offset = s.offsetOf(r.startContainer, r.startOffset);
            if (!r.collapsed)
                sel.collapseToStart();
            return offset;
        },
        editorCreateRange() {
            const r = s.selectionRange();
            return r ? s.keep(ranges, r.cloneRange()) : 0;
        },
        // Moves the selection's end by `count` characters (negative: back), never before its start.
        editorMoveSelectionEnd(count) {
            const sel = document.getSelection();
            if (!sel || sel.rangeCount === 0 || !document.body)
                return false;
            const r = sel.getRangeAt(0).cloneRange();
            const start = s.offsetOf(r.startContainer, r.startOffset);
            const end = s.offsetOf(r.endContainer, r.endOffset) + count;
            const [node, offset] = s.pointAt(Math.max(start, Math.min(s.textLength(), end)));
            r.setEnd(node, offset);
            s.select(r);
            return true;
        },
        // Widens a bare caret to the content of the element around it with that tag name.
        editorSelectEnclosing(tagName) {
            const r = s.selectionRange();
            if (!r || !r.collapsed)
                return false;
            const e = s.elementAt(r) && s.elementAt(r).closest(tagName);
            if (!e || !document.body.contains(e))
                return false;
            const whole = document.createRange();
            whole.selectNodeContents(e);
            s.select(whole);
            return true;
        },
        editorControlElement() {
            return s.keep(elements, s.controlElement());
        },
        rangeHtmlText(id) {
            const r = ranges.get(id);
            return r ? s.serialize(r.cloneContents()) : null;
        },
        rangeText(id) {
            const r = ranges.get(id);
            return r ? r.toString() : null;
        },
        rangeMove(id, count) {
            const r = ranges.get(id);
            if (!r || !document.body)
                return null;
            const from = s.offsetOf(r.startContainer, r.startOffset);
            const to = Math.max(0, Math.min(s.textLength(), from + count));
            const [node, offset] = s.pointAt(to);
            r.setStart(node, offset);
            r.collapse(true);
            return to - from;
        },
        rangeSelect(id) {
            const r = ranges.get(id);
            if (!r)
                return false;
            s.select(r);
            return true;
        },
        rangeCollapse(id, toStart) {
            const r = ranges.get(id);
            if (!r)
                return false;
            r.collapse(!!toStart);
            return true;
        },
        rangeParentElement(id) {
            const r = ranges.get(id);
            if (!r)
                return 0;
            const c = r.commonAncestorContainer;
            return s.keep(elements, c.nodeType === Node.ELEMENT_NODE ? c : c.parentElement);
        },
        rangePasteHtml(id, html) {
            const r = ranges.get(id);
            return r ? s.insertAt(r, html) : false;
        },
        elementTagName(id) {
            const e = elements.get(id);
            return e ? e.tagName : null;
        },
        elementOuterHtml(id) {
            const e = elements.get(id);
            return e ? e.outerHTML : null;
        },
        elementSetOuterHtml(id, html) {
            const e = elements.get(id);
            if (!e || !e.parentNode || e === document.body)
                return false;
            const r = document.createRange();
            r.selectNode(e);
            return s.insertAt(r, html);
        },
        elementInsertAdjacentHtml(id, where, html) {
            const e = elements.get(id);
            if (!e)
                return false;
            const r = document.createRange();
            switch (String(where).toLowerCase()) {
            case 'beforebegin': r.setStartBefore(e); break;
            case 'afterbegin': r.setStart(e, 0); break;
            case 'beforeend': r.setStart(e, e.childNodes.length); break;
            case 'afterend': r.setStartAfter(e); break;
            default: return false;
            }
            r.collapse(true);
            return s.insertAt(r, html);
        },
        elementParent(id) {
            const e = elements.get(id);
            return e ? s.keep(elements, e.parentElement) : 0;
        },
    });
})();
