// The editing surface's own script, in the program's script world (the page's scripts are off).
// It makes the document editable, runs the editing commands, answers the status queries and
// keeps the text ranges and elements the program works with, by number.
//
// This first part holds what the others share, as `window.corvalisSurface`: the kept ranges and
// elements, the selection, text positions and the reports to the program. The parts after it
// (commands, tables, ranges, undo steps, source positions, the menu's caret) add their functions
// to the page bridge; the last one makes the document editable.
(function () {
    'use strict';
    const bridge = window.corvalisBridge;
    if (!bridge || bridge.editorExec) {
        // Set up on this page already: the parts that follow leave it as it is.
        window.corvalisSurface = null;
        return;
    }

    const ranges = new Map();
    const elements = new Map();
    let nextId = 1;

    const replaced = new Set(['IMG', 'TABLE', 'HR', 'INPUT', 'TEXTAREA', 'SELECT', 'BUTTON', 'IFRAME', 'OBJECT']);

    function keep(map, value) {
        if (!value)
            return 0;
        const id = nextId++;
        map.set(id, value);
        return id;
    }
    function selectionRange() {
        const sel = document.getSelection();
        if (sel && sel.rangeCount > 0)
            return sel.getRangeAt(0);
        if (!document.body)
            return null;
        const r = document.createRange();
        r.setStart(document.body, 0);
        return r;
    }
    function select(range) {
        const sel = document.getSelection();
        sel.removeAllRanges();
        sel.addRange(range);
    }
    // The element of a control selection: one replaced or positioned element selected whole.
    function controlElement() {
        const sel = document.getSelection();
        if (!sel || sel.rangeCount === 0)
            return null;
        const r = sel.getRangeAt(0);
        if (r.startContainer !== r.endContainer || r.endOffset - r.startOffset !== 1)
            return null;
        const node = r.startContainer.childNodes[r.startOffset];
        if (!node || node.nodeType !== Node.ELEMENT_NODE)
            return null;
        return replaced.has(node.tagName) || getComputedStyle(node).position === 'absolute' ? node : null;
    }
    function elementAt(range) {
        if (!range)
            return null;
        const n = range.startContainer;
        return n.nodeType === Node.ELEMENT_NODE ? n : n.parentElement;
    }
    function currentCell() {
        const e = elementAt(selectionRange());
        const cell = e ? e.closest('td,th') : null;
        return cell && document.body.contains(cell) ? cell : null;
    }
    function hasSelection() {
        const sel = document.getSelection();
        return !!sel && sel.rangeCount > 0 && !sel.isCollapsed;
    }
    function caretInto(node) {
        const r = document.createRange();
        r.selectNodeContents(node);
        r.collapse(true);
        select(r);
    }

    // Characters of text before a boundary point, counted from the start of the body.
    function offsetOf(node, offset) {
        const r = document.createRange();
        r.setStart(document.body, 0);
        r.setEnd(node, offset);
        return r.toString().length;
    }
    // The boundary point `count` characters into the body's text (clamped to its ends).
    function pointAt(count) {
        const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
        let last = null;
        for (let n = walker.nextNode(); n; n = walker.nextNode()) {
            if (count <= n.data.length)
                return [n, count];
            count -= n.data.length;
            last = n;
        }
        return last ? [last, last.data.length] : [document.body, document.body.childNodes.length];
    }
    function caretAt(count) {
        const [node, offset] = pointAt(count);
        const r = document.createRange();
        r.setStart(node, offset);
        select(r);
    }
    function textLength() {
        return document.body ? document.body.textContent.length : 0;
    }
    function insertAt(range, html) {
        const saved = selectionRange();
        select(range);
        const done = document.execCommand('insertHTML', false, html);
        if (saved && document.contains(saved.startContainer))
            select(saved);
        return done;
    }
    // Sets an attribute, or with a null value removes it.
    function setAttributeValue(element, name, value) {
        if (value === null)
            element.removeAttribute(name);
        else
            element.setAttribute(name, value);
    }
    function serialize(fragment) {
        const d = document.createElement('div');
        d.appendChild(fragment);
        return d.innerHTML;
    }

    const surface = {
        bridge,
        ranges, elements, keep,
        // Command statuses, as the program's command set numbers them.
        NOT_SUPPORTED: 0, DISABLED: 1, ENABLED: 3, LATCHED: 7, MIXED: 11,
        selectionRange, select, controlElement, elementAt, currentCell, hasSelection, caretInto,
        offsetOf, pointAt, caretAt, textLength, insertAt, setAttributeValue, serialize,
        // The program's editor object, once the page bridge's channel is up.
        host: null,
        report(name) {
            if (surface.host)
                surface.host[name]();
        },
    };
    window.corvalisSurface = surface;
})();
