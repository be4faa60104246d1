// The editing surface's own script, in the program's script world (the page's scripts are off).
// It makes the document editable, runs the editing commands, answers the status queries and
// keeps the text ranges and elements the program works with, by number.
(function () {
    'use strict';
    const bridge = window.corvalisBridge;
    if (!bridge || bridge.editorExec)
        return;

    const ranges = new Map();
    const elements = new Map();
    let nextId = 1;
    let host = null;

    const NOT_SUPPORTED = 0, DISABLED = 1, ENABLED = 3, LATCHED = 7, MIXED = 11;
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
    // What can be positioned: the selected element, or the division around the caret.
    function positionTarget() {
        const control = controlElement();
        if (control)
            return control;
        const e = elementAt(selectionRange());
        if (!e)
            return null;
        for (let p = e; p && p !== document.body; p = p.parentElement) {
            if (getComputedStyle(p).position === 'absolute' || p.tagName === 'DIV')
                return p;
        }
        return null;
    }
    function hasSelection() {
        const sel = document.getSelection();
        return !!sel && sel.rangeCount > 0 && !sel.isCollapsed;
    }
    // Distinct values of `property` over the selected text; null when there is no text.
    function selectedValues(read) {
        const range = selectionRange();
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
        const e = elementAt(selectionRange());
        if (!e)
            return [DISABLED, ''];
        return [ENABLED, values ? values.values().next().value : read(e)];
    }

    function status(id) {
        if (!document.body)
            return DISABLED;
        switch (id) {
        case 5002: case 5003:
            return hasSelection() ? ENABLED : DISABLED;
        case 5009: case 5022: case 5035:
            return ENABLED;
        case 5013: return fontStatus(fontNameOf)[0];
        case 5014: return fontStatus(fontSizeOf)[0];
        case 5006: case 5007: case 5020: case 5021:
            return currentCell() ? ENABLED : DISABLED;
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
        const e = elementAt(selectionRange());
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
        const e = elementAt(selectionRange());
        const b = e ? e.closest('p,h1,h2,h3,h4,h5,h6,pre,address') : null;
        return b && document.body.contains(b) ? blockNames[b.tagName] : 'Normal';
    }

    function blankCell(like) {
        const cell = document.createElement(like && like.tagName === 'TH' ? 'th' : 'td');
        cell.innerHTML = '&nbsp;';
        return cell;
    }
    // Replaces `element` with `changed` (a changed copy of it) through the editing commands, so
    // that Undo takes the whole change back in one step; with no copy the element goes.
    function replaceUndoably(element, changed) {
        const r = document.createRange();
        r.selectNode(element);
        select(r);
        return changed ? document.execCommand('insertHTML', false, changed.outerHTML)
                       : document.execCommand('delete', false, null);
    }
    function caretInto(node) {
        const r = document.createRange();
        r.selectNodeContents(node);
        r.collapse(true);
        select(r);
    }
    // Row and column changes, on the table around the caret; new ones come before the current
    // (Tab's new row, 'below', after it). The caret stays in its cell, or the nearest one left.
    function tableCommand(id, below) {
        const cell = currentCell();
        if (!cell)
            return false;
        const table = cell.closest('table');
        const tables = Array.from(document.querySelectorAll('table'));
        const copy = table.cloneNode(true);
        let rowAt = cell.parentElement.rowIndex, column = cell.cellIndex;
        const row = copy.rows[rowAt];
        if (id === 5021) {
            const fresh = row.cloneNode(false);
            for (const c of row.cells)
                fresh.appendChild(blankCell(c)).colSpan = c.colSpan;
            row.parentNode.insertBefore(fresh, below ? row.nextSibling : row);
            rowAt += 1;
            if (below)
                column = 0;
        } else if (id === 5007) {
            row.remove();
        } else {
            for (const r of Array.from(copy.rows)) {
                const c = r.cells[Math.min(column, r.cells.length - 1)];
                if (!c)
                    continue;
                if (id === 5020)
                    r.insertBefore(blankCell(c), r.cells[column] || null);
                else if (r.cells[column])
                    r.cells[column].remove();
            }
            if (id === 5020)
                column += 1;
        }
        const empty = copy.rows.length === 0 || (id === 5006 && copy.rows[0].cells.length === 0);
        replaceUndoably(table, empty ? null : copy);
        const now = empty ? null : document.querySelectorAll('table')[tables.indexOf(table)];
        if (now && now.rows.length) {
            const r = now.rows[Math.min(rowAt, now.rows.length - 1)];
            if (r.cells.length)
                caretInto(r.cells[Math.min(column, r.cells.length - 1)]);
        }
        return true;
    }
    // The one element of the live document that differs from its counterpart in `wanted` (a
    // whole table for a change inside one), or null when the two differ in more than the body's
    // content.
    const tableParts = new Set(['TD', 'TH', 'TR', 'TBODY', 'THEAD', 'TFOOT', 'CAPTION', 'COL', 'COLGROUP']);
    function changedElement(wanted) {
        if (!document.head || !document.body || !wanted.head.isEqualNode(document.head))
            return null;
        let live = document.body, other = wanted.body;
        if (live.attributes.length !== other.attributes.length ||
            Array.from(live.attributes).some(a => other.getAttribute(a.name) !== a.value))
            return null;
        for (;;) {
            const a = live.childNodes, b = other.childNodes;
            if (a.length !== b.length)
                break;
            const differing = [];
            for (let i = 0; i < a.length && differing.length < 2; ++i) {
                if (!a[i].isEqualNode(b[i]))
                    differing.push(i);
            }
            if (differing.length !== 1)
                break;
            const i = differing[0];
            if (a[i].nodeType !== Node.ELEMENT_NODE || b[i].nodeType !== Node.ELEMENT_NODE ||
                a[i].tagName !== b[i].tagName)
                break;
            const sameTag = a[i].cloneNode(false).isEqualNode(b[i].cloneNode(false));
            live = a[i];
            other = b[i];
            if (!sameTag)
                break;
        }
        while (live !== document.body && tableParts.has(live.tagName)) {
            live = live.parentElement;
            other = other.parentElement;
        }
        return live === document.body ? null : [live, other];
    }
    // Tab and Shift+Tab go to the next and the previous cell; Tab in the last cell adds a row.
    function tabInTable(event) {
        if (event.key !== 'Tab' || event.ctrlKey || event.altKey || event.metaKey)
            return;
        const cell = currentCell();
        if (!cell)
            return;
        event.preventDefault();
        const cells = Array.from(cell.closest('table').querySelectorAll('td,th'))
                          .filter(c => c.closest('table') === cell.closest('table'));
        const at = cells.indexOf(cell) + (event.shiftKey ? -1 : 1);
        if (at >= cells.length) {
            const last = cell.parentElement.cells;
            caretInto(last[last.length - 1]);
            tableCommand(5021, true);
        } else if (at >= 0) {
            const r = document.createRange();
            r.selectNodeContents(cells[at]);
            select(r);
        }
    }
    // Positioning is no editing command's (what they insert loses its position), so its steps are
    // kept here; so are commands run as one step (a dialog's several changes), as the number of
    // the document's own steps they made. Both are undone and redone while they are the latest,
    // and forgotten once the document's own history moves past them.
    const ownUndo = [], ownRedo = [];
    let replaying = false, group = null;
    function setStyle(e, style) {
        if (style === null)
            e.removeAttribute('style');
        else
            e.setAttribute('style', style);
    }
    function ownStep(redo) {
        const step = (redo ? ownRedo : ownUndo).pop();
        if (!step)
            return false;
        replaying = true;
        if (step.element)
            setStyle(step.element, redo ? step.after : step.before);
        for (let i = 0; i < (step.steps || 0); ++i)
            document.execCommand(redo ? 'redo' : 'undo', false, null);
        replaying = false;
        (redo ? ownUndo : ownRedo).push(step);
        report('displayChanged');
        return true;
    }
    function history(redo) {
        return ownStep(redo) || document.execCommand(redo ? 'redo' : 'undo', false, null);
    }
    function historyMoved(event) {
        if (replaying)
            return;
        if (group) {
            ++group.steps;
            return;
        }
        if (event.inputType !== 'historyRedo')
            ownRedo.length = 0;
        if (event.inputType !== 'historyUndo')
            ownUndo.length = 0;
    }
    function historyKeys(event) {
        const key = event.key.toLowerCase();
        if (!event.ctrlKey || event.altKey || event.metaKey || (key !== 'z' && key !== 'y'))
            return;
        const redo = key === 'y' || event.shiftKey;
        if ((redo ? ownRedo : ownUndo).length) {
            event.preventDefault();
            ownStep(redo);
        }
    }
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
        ownUndo.push({ element: t, before, after: t.getAttribute('style') });
        ownRedo.length = 0;
        return true;
    }
    function escapeText(text) {
        const d = document.createElement('div');
        d.textContent = text;
        return d.innerHTML;
    }
    function insertTable(p) {
        const rows = Math.max(1, Math.min(p.rows | 0, 500)), cols = Math.max(1, Math.min(p.columns | 0, 100));
        // A table given no width is as wide as the text column: empty cells alone would make it
        // a few pixels wide.
        const attributes = /(^|\s)width\s*=/i.test(p.attributes || '') ? p.attributes : 'WIDTH=100% ' + (p.attributes || '');
        let html = '<table ' + attributes.trim() + '>';
        if (p.caption)
            html += '<caption>' + escapeText(p.caption) + '</caption>';
        html += '<tbody>';
        for (let r = 0; r < rows; ++r)
            html += '<tr>' + '<td>&nbsp;</td>'.repeat(cols) + '</tr>';
        html += '</tbody></table>';
        const before = new Set(document.querySelectorAll('table'));
        const done = document.execCommand('insertHTML', false, html);
        // The caret goes into the new table's first cell, ready for its text.
        const made = Array.from(document.querySelectorAll('table')).find(t => !before.has(t));
        if (made && made.rows[0] && made.rows[0].cells[0])
            caretInto(made.rows[0].cells[0]);
        return done;
    }
    function exec(id, value) {
        if (!document.body)
            return false;
        switch (id) {
        case 5006: case 5007: case 5020: case 5021:
            return tableCommand(id);
        case 5028:
            return togglePosition();
        case 5049:
            return history(false);
        case 5022:
            return insertTable(value || {});
        case 5013:
            return fontStatus(fontNameOf)[1];
        case 5014: {
            const [s, size] = fontStatus(fontSizeOf);
            return s === ENABLED ? size : 0;
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
    function documentHtmlOf(root) {
        if (!root)
            return '';
        return (document.doctype ? '<!DOCTYPE ' + document.doctype.name + '>\r\n' : '') + root.outerHTML;
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
    function serialize(fragment) {
        const d = document.createElement('div');
        d.appendChild(fragment);
        return d.innerHTML;
    }

    function report(name) {
        if (host)
            host[name]();
    }
    function connect() {
        document.designMode = 'on';
        // The page bridge owns the channel; the editor's host object comes with it.
        bridge.onChannel = function (objects) { host = objects.corvalisEditor || null; };
        // Timers do not run in a page whose scripts are off: the program coalesces the reports.
        const changed = function () { report('displayChanged'); };
        document.addEventListener('selectionchange', changed);
        document.addEventListener('input', changed);
        document.addEventListener('keydown', tabInTable);
        document.addEventListener('keydown', historyKeys);
        document.addEventListener('input', historyMoved);
        window.addEventListener('blur', function () { report('focusLost'); });
    }
    if (document.readyState === 'loading')
        document.addEventListener('DOMContentLoaded', connect);
    else
        connect();

    // The document as its file holds it: the surface's own <base> (a large document shown from
    // a file of the surface's) is not part of it.
    const ownBase = 'base[data-corvalis-base]';
    function nodeHtml(node) {
        if (node.nodeType === Node.ELEMENT_NODE)
            return node.outerHTML;
        const d = document.createElement('div');
        d.appendChild(node.cloneNode());
        return d.innerHTML;
    }
    // A copy of the document as its file holds it; long text the parser cut into pieces made whole.
    function withoutOwnBase(root) {
        const copy = root.cloneNode(true);
        copy.querySelectorAll(ownBase).forEach(b => b.remove());
        copy.normalize();
        return copy;
    }
    function childOf(root, name) {
        return root ? Array.from(root.children).find(c => c.localName === name) || null : null;
    }
    function nodeAt(root, path) {
        let node = childOf(root, 'body');
        for (const i of path)
            node = node ? node.childNodes[i] : null;
        return node;
    }
    // Elements whose text is written raw, and those whose content is no child node.
    const opaque = new Set(['script', 'style', 'xmp', 'iframe', 'noembed', 'noframes', 'plaintext',
                            'noscript', 'textarea', 'template', 'title']);
    function sameTag(a, b) {
        return a.nodeType === Node.ELEMENT_NODE && b.nodeType === Node.ELEMENT_NODE &&
               !opaque.has(a.localName) && a.cloneNode(false).isEqualNode(b.cloneNode(false));
    }
    let borderSheet = null;
    Object.assign(bridge, {
        editorExec(id, value) {
            return exec(id, value);
        },
        editorRedo() {
            return history(true);
        },
        // The commands between the two calls are one step for Undo.
        editorBeginStep() {
            group = { steps: 0 };
            return true;
        },
        editorEndStep() {
            const made = group ? group.steps : 0;
            group = null;
            if (made > 1)
                ownUndo.push({ steps: made });
            else if (made === 1)
                ownUndo.length = 0;
            if (made)
                ownRedo.length = 0;
            return true;
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
        editorDocumentHtml() {
            return documentHtmlOf(document.documentElement);
        },
        // The document with `marker` at the selection's start (with `atElementStart`, first in the
        // element there), and the selection's HTML with it: marked in a copy, so that neither the
        // document nor its history (a Redo) ever holds the marker.
        editorMarkedDocument(marker, atElementStart) {
            const live = selectionRange();
            if (!live || !document.documentElement)
                return null;
            const root = document.documentElement.cloneNode(true);
            const counterpart = node => {
                const path = [];
                for (let n = node; n !== document.documentElement; n = n.parentNode)
                    path.unshift(Array.prototype.indexOf.call(n.parentNode.childNodes, n));
                return path.reduce((n, i) => n.childNodes[i], root);
            };
            const r = document.createRange();
            r.setStart(counterpart(live.startContainer), live.startOffset);
            r.setEnd(counterpart(live.endContainer), live.endOffset);
            const mark = document.createTextNode(marker);
            if (atElementStart) {
                const e = controlElement() ? counterpart(controlElement()) : elementAt(r);
                e.insertBefore(mark, e.firstChild);
            } else {
                r.insertNode(mark);
            }
            return { document: documentHtmlOf(root), range: serialize(r.cloneContents()) };
        },
        // What changed against the document's file, `source` (its text): `same` for nothing; else
        // the nodes [from, to) of the element at `path` (child indices from the body down), now
        // [from, nowTo), each level of `path` having had `counts` children; `whole` when the head
        // or the body's own tag changed. The file is parsed as the page was.
        editorSourceChange(source) {
            const baseline = withoutOwnBase(new DOMParser().parseFromString(source, 'text/html').documentElement);
            const now = document.documentElement ? withoutOwnBase(document.documentElement) : null;
            if (!now || !childOf(now, 'body') || !childOf(baseline, 'body'))
                return { whole: true };
            const headBefore = childOf(baseline, 'head'), headNow = childOf(now, 'head');
            if (!(headBefore ? headNow && headBefore.isEqualNode(headNow) : !headNow) ||
                !childOf(baseline, 'body').cloneNode(false).isEqualNode(childOf(now, 'body').cloneNode(false)))
                return { whole: true };
            let before = childOf(baseline, 'body'), after = childOf(now, 'body');
            const path = [], counts = [];
            for (;;) {
                const b = Array.from(before.childNodes), a = Array.from(after.childNodes);
                counts.push(b.length);
                let same = 0, sameEnd = 0;
                while (same < b.length && same < a.length && b[same].isEqualNode(a[same]))
                    ++same;
                if (same === b.length && same === a.length)
                    return path.length ? { whole: true } : { same: true };
                while (sameEnd < b.length - same && sameEnd < a.length - same &&
                       b[b.length - 1 - sameEnd].isEqualNode(a[a.length - 1 - sameEnd]))
                    ++sameEnd;
                if (b.length - same - sameEnd === 1 && a.length - same - sameEnd === 1 && sameTag(b[same], a[same])) {
                    path.push(same);
                    before = b[same];
                    after = a[same];
                    continue;
                }
                return { path, counts, from: same, to: b.length - sameEnd, nowTo: a.length - sameEnd };
            }
        },
        // The nodes [from, to) of the element at `path`, as HTML.
        editorSourceHtml(path, from, to) {
            const node = nodeAt(withoutOwnBase(document.documentElement), path);
            return node ? Array.from(node.childNodes).slice(from, to).map(nodeHtml).join('') : null;
        },
        editorSourceDocument() {
            const root = document.documentElement;
            if (!root)
                return '';
            return (document.doctype ? '<!DOCTYPE ' + document.doctype.name + '>\n' : '') + withoutOwnBase(root).outerHTML;
        },
        // A short fingerprint of the body (its length and a hash), to tell whether it changed.
        editorBodyFingerprint() {
            const html = document.body ? document.body.innerHTML : '';
            let h = 0x811c9dc5;
            for (let i = 0; i < html.length; ++i)
                h = Math.imul(h ^ html.charCodeAt(i), 0x01000193);
            return html.length + ':' + (h >>> 0);
        },
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
            select(r);
            return true;
        },
        // Where a menu asked for from the keyboard opens: below the caret, or the selection's start.
        editorCaretPoint() {
            const r = selectionRange();
            if (!r)
                return [0, 0];
            let box = r.getClientRects()[0];
            if (!box) {
                const e = elementAt(r);
                box = e ? e.getBoundingClientRect() : null;
            }
            return box ? [box.left, box.bottom] : [0, 0];
        },
        // The pictures shown from local files (which readers of a web page cannot load), as named.
        editorLocalPictures() {
            const named = new Set();
            if (document.body) {
                for (const e of document.body.querySelectorAll('img[src], [background]')) {
                    const name = e.getAttribute(e.tagName === 'IMG' ? 'src' : 'background');
                    let url = null;
                    try { url = new URL(name, document.baseURI); } catch (error) { continue; }
                    if (url.protocol === 'file:')
                        named.add(name);
                }
            }
            return Array.from(named);
        },
        // Puts the document `html` in place of the live one through the editing commands (one
        // step for Undo) when only one element of the body differs; false when it cannot.
        editorReplaceDocument(html) {
            const found = changedElement(new DOMParser().parseFromString(html, 'text/html'));
            // The editing commands take long over a very large element: it is put in place whole.
            if (!found || found[0].getElementsByTagName('*').length > 5000)
                return false;
            // The caret keeps its place in the text.
            const r = selectionRange();
            const caret = r ? offsetOf(r.startContainer, r.startOffset) : 0;
            replaceUndoably(found[0], document.importNode(found[1], true));
            caretAt(caret);
            return true;
        },
        editorBodyHtml() {
            return document.body ? document.body.innerHTML : '';
        },
        // Tables drawn with visible borders while editing, through a sheet the document never holds.
        editorShowBorders(on) {
            if (!borderSheet) {
                borderSheet = new CSSStyleSheet();
                borderSheet.replaceSync('table, td, th { border: 1px dotted #999 !important; }');
            }
            const others = document.adoptedStyleSheets.filter(s => s !== borderSheet);
            document.adoptedStyleSheets = on ? others.concat([borderSheet]) : others;
            return true;
        },
        editorSelectionType() {
            if (controlElement())
                return 'Control';
            return hasSelection() ? 'Text' : 'None';
        },
        editorCreateRange() {
            const r = selectionRange();
            return r ? keep(ranges, r.cloneRange()) : 0;
        },
        // Moves the selection's end by `count` characters (negative: back), never before its start.
        editorMoveSelectionEnd(count) {
            const sel = document.getSelection();
            if (!sel || sel.rangeCount === 0 || !document.body)
                return false;
            const r = sel.getRangeAt(0).cloneRange();
            const start = offsetOf(r.startContainer, r.startOffset);
            const end = offsetOf(r.endContainer, r.endOffset) + count;
            const [node, offset] = pointAt(Math.max(start, Math.min(textLength(), end)));
            r.setEnd(node, offset);
            select(r);
            return true;
        },
        // Widens a bare caret to the content of the element around it with that tag name.
        editorSelectEnclosing(tagName) {
            const r = selectionRange();
            if (!r || !r.collapsed)
                return false;
            const e = elementAt(r) && elementAt(r).closest(tagName);
            if (!e || !document.body.contains(e))
                return false;
            const whole = document.createRange();
            whole.selectNodeContents(e);
            select(whole);
            return true;
        },
        editorControlElement() {
            return keep(elements, controlElement());
        },
        rangeHtmlText(id) {
            const r = ranges.get(id);
            return r ? serialize(r.cloneContents()) : null;
        },
        rangeText(id) {
            const r = ranges.get(id);
            return r ? r.toString() : null;
        },
        rangeMove(id, count) {
            const r = ranges.get(id);
            if (!r || !document.body)
                return null;
            const from = offsetOf(r.startContainer, r.startOffset);
            const to = Math.max(0, Math.min(textLength(), from + count));
            const [node, offset] = pointAt(to);
            r.setStart(node, offset);
            r.collapse(true);
            return to - from;
        },
        rangeSelect(id) {
            const r = ranges.get(id);
            if (!r)
                return false;
            select(r);
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
            return keep(elements, c.nodeType === Node.ELEMENT_NODE ? c : c.parentElement);
        },
        rangePasteHtml(id, html) {
            const r = ranges.get(id);
            return r ? insertAt(r, html) : false;
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
            return insertAt(r, html);
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
            return insertAt(r, html);
        },
        elementParent(id) {
            const e = elements.get(id);
            return e ? keep(elements, e.parentElement) : 0;
        },
    });
})();
