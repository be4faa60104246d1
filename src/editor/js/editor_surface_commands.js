// The editing commands and their statuses: what the toolbar, the format lists and the context
// menu run and show. Table commands and Undo are the tables' and the undo steps' parts.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;
    const { NOT_SUPPORTED, DISABLED, ENABLED, LATCHED, MIXED } = s;

    // Commands that document.execCommand does itself, and whether they latch.
    const native = {
        5000: ['bold', true], 5023: ['italic', true], 5048: ['underline', true],
        5018: ['indent', false], 5031: ['outdent', false],
        5024: ['justifyCenter', true], 5025: ['justifyLeft', true], 5026: ['justifyRight', true],
        5030: ['insertOrderedList', true], 5051: ['insertUnorderedList', true],
        5044: ['fontName', false], 5045: ['fontSize', false], 5046: ['foreColor', false],
        5043: ['formatBlock', false], 5016: ['createLink', false], 5050: ['unlink', false],
        5049: ['undo', false], 5035: ['selectAll', false],
        5002: ['copy', false], 5003: ['cut', false], 5032: ['paste', false],
    };
    const blockFormats = {
        'normal': 'p', 'heading 1': 'h1', 'heading 2': 'h2', 'heading 3': 'h3', 'heading 4': 'h4',
        'heading 5': 'h5', 'heading 6': 'h6', 'formatted': 'pre', 'address': 'address',
    };

    // What can be positioned: the selected element, or the division around the caret.
    function positionTarget() {
        const control = s.controlElement();
        if (control)
            return control;
        const e = s.elementAt(s.selectionRange());
        if (!e)
            return null;
        for (let p = e; p && p !== document.body; p = p.parentElement) {
            if (getComputedStyle(p).position === 'absolute' || p.tagName === 'DIV')
                return p;
        }
        return null;
    }
    // Distinct values of `property` over the selected text; null when there is no text.
    function selectedValues(read) {
        const range = s.selectionRange();
        if (!range || range.collapsed)
            return null;
        const values = new Set();
        const root = range.commonAncestorContainer;
        if (root.nodeType === Node.TEXT_NODE) {
            values.add(read(root.parentElement));
            return values;
        }
        const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
        for (let n = walker.nextNode(); n; n = walker.nextNode()) {
            if (n.data.trim() && range.intersectsNode(n))
                values.add(read(n.parentElement));
            if (values.size > 1)
                break;
        }
        return values.size ? values : null;
    }
    function fontNameOf(e) {
        return getComputedStyle(e).fontFamily.split(',')[0].replace(/["']/g, '').trim();
    }
    function fontSizeOf(e) {
        // The seven legacy sizes, by the pixel sizes they stand for.
        const px = parseFloat(getComputedStyle(e).fontSize);
        const steps = [10, 13, 16, 18, 24, 32, 48];
        let best = 0;
        for (let i = 1; i < steps.length; ++i) {
            if (Math.abs(steps[i] - px) < Math.abs(steps[best] - px))
                best = i;
        }
        return best + 1;
    }
    function fontStatus(read) {
        if (!document.body)
            return [DISABLED, ''];
        const values = selectedValues(read);
        if (values && values.size > 1)
            return [MIXED, ''];
        const e = s.elementAt(s.selectionRange());
        if (!e)
            return [DISABLED, ''];
        return [ENABLED, values ? values.values().next().value : read(e)];
    }

    function status(id) {
        if (!document.body)
            return DISABLED;
        switch (id) {
        case 5002: case 5003:
            return s.hasSelection() ? ENABLED : DISABLED;
        case 5009: case 5022: case 5035:
            return ENABLED;
        case 5013: return fontStatus(fontNameOf)[0];
        case 5014: return fontStatus(fontSizeOf)[0];
        case 5006: case 5007: case 5020: case 5021:
            return s.currentCell() ? ENABLED : DISABLED;
        case 5028:
            return positionTarget() ? ENABLED : DISABLED;
        case 5040: {
            const t = positionTarget();
            return t && getComputedStyle(t).position === 'absolute' ? ENABLED : DISABLED;
        }
        case 5046:
            return ENABLED;
        case 5024: case 5025: case 5026:
            return alignmentAtCaret() === id ? LATCHED : ENABLED;
        }
        const n = native[id];
        if (!n)
            return NOT_SUPPORTED;
        if (!document.queryCommandEnabled(n[0]))
            return DISABLED;
        return n[1] && document.queryCommandState(n[0]) ? LATCHED : ENABLED;
    }

    // The block around the caret, and which of the three alignments it has: exactly one.
    function blockAtCaret() {
        const e = s.elementAt(s.selectionRange());
        return e ? e.closest('p,h1,h2,h3,h4,h5,h6,pre,address,li,td,th,div,body') : null;
    }
    function alignmentAtCaret() {
        const b = blockAtCaret();
        if (!b)
            return 5025;
        const style = getComputedStyle(b);
        const align = style.textAlign;
        if (align === 'center' || align === '-webkit-center')
            return 5024;
        const rtl = style.direction === 'rtl';
        if (align === 'right' || align === '-webkit-right' || (align === 'end' && !rtl) || (align === 'start' && rtl))
            return 5026;
        return 5025;
    }
    const blockNames = { P: 'Normal', H1: 'Heading 1', H2: 'Heading 2', H3: 'Heading 3', H4: 'Heading 4',
                         H5: 'Heading 5', H6: 'Heading 6', PRE: 'Formatted', ADDRESS: 'Address' };
    function blockFormatAtCaret() {
        const e = s.elementAt(s.selectionRange());
        const b = e ? e.closest('p,h1,h2,h3,h4,h5,h6,pre,address') : null;
        return b && document.body.contains(b) ? blockNames[b.tagName] : 'Normal';
    }

    // Positioning is no editing command's (what they insert loses its position): its step is
    // kept with the undo steps' own.
    function togglePosition() {
        const t = positionTarget();
        if (!t || t === document.body)
            return false;
        const before = t.getAttribute('style');
        if (getComputedStyle(t).position === 'absolute') {
            t.style.removeProperty('position');
            t.style.removeProperty('left');
            t.style.removeProperty('top');
            if (!t.getAttribute('style'))
                t.removeAttribute('style');
        } else {
            const left = t.offsetLeft, top = t.offsetTop;
            t.style.position = 'absolute';
            t.style.left = left + 'px';
            t.style.top = top + 'px';
        }
        const after = t.getAttribute('style');
        s.ownStepMade({ undo() { s.setAttributeValue(t, 'style', before); },
                        redo() { s.setAttributeValue(t, 'style', after); } });
        return true;
    }
    function exec(id, value) {
        if (!document.body)
            return false;
        switch (id) {
        case 5006: case 5007: case 5020: case 5021:
            return s.tableCommand(id);
        case 5028:
            return togglePosition();
        case 5049:
            return s.history(false);
        case 5022:
            return s.insertTable(value || {});
        case 5013:
            return fontStatus(fontNameOf)[1];
        case 5014: {
            const [st, size] = fontStatus(fontSizeOf);
            return st === ENABLED ? size : 0;
        }
        case 5043: {
            const tag = blockFormats[String(value).toLowerCase()] || String(value);
            return document.execCommand('formatBlock', false, '<' + tag + '>');
        }
        }
        const n = native[id];
        if (!n)
            return false;
        return document.execCommand(n[0], false, value === undefined || value === null ? null : String(value));
    }

    Object.assign(s.bridge, {
        editorExec(id, value) {
            return exec(id, value);
        },
        editorStatus(id) {
            return status(id);
        },
        editorDisplayState(ids) {
            const name = fontStatus(fontNameOf), size = fontStatus(fontSizeOf);
            return {
                statuses: ids.map(status),
                fontNameStatus: name[0], fontName: name[1],
                fontSizeStatus: size[0], fontSize: size[0] === ENABLED ? size[1] : 0,
                blockFormat: document.body ? blockFormatAtCaret() : '',
            };
        },
    });
})();
