// Tables: inserting one, its row and column commands, Tab from cell to cell, a dialog's changed
// table put in place, and the borders drawn while editing.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;

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
        s.select(r);
        return changed ? document.execCommand('insertHTML', false, changed.outerHTML)
                       : document.execCommand('delete', false, null);
    }
    // Row and column changes, on the table around the caret; new ones come before the current
    // (Tab's new row, 'below', after it). The caret stays in its cell, or the nearest one left.
    function tableCommand(id, below) {
        const cell = s.currentCell();
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
                s.caretInto(r.cells[Math.min(column, r.cells.length - 1)]);
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
        const cell = s.currentCell();
        if (!cell)
            return;
        event.preventDefault();
        const cells = Array.from(cell.closest('table').querySelectorAll('td,th'))
                          .filter(c => c.closest('table') === cell.closest('table'));
        const at = cells.indexOf(cell) + (event.shiftKey ? -1 : 1);
        if (at >= cells.length) {
            const last = cell.parentElement.cells;
            s.caretInto(last[last.length - 1]);
            tableCommand(5021, true);
        } else if (at >= 0) {
            const r = document.createRange();
            r.selectNodeContents(cells[at]);
            s.select(r);
        }
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
            s.caretInto(made.rows[0].cells[0]);
        return done;
    }

    let borderSheet = null;
    Object.assign(s, { tableCommand, tabInTable, insertTable });
    Object.assign(s.bridge, {
        // Puts the document `html` in place of the live one through the editing commands (one
        // step for Undo) when only one element of the body differs; false when it cannot.
        editorReplaceDocument(html) {
            const found = changedElement(new DOMParser().parseFromString(html, 'text/html'));
            // The editing commands take long over a very large element: it is put in place whole.
            if (!found || found[0].getElementsByTagName('*').length > 5000)
                return false;
            // The caret keeps its place in the text.
            const r = s.selectionRange();
            const caret = r ? s.offsetOf(r.startContainer, r.startOffset) : 0;
            replaceUndoably(found[0], document.importNode(found[1], true));
            s.caretAt(caret);
            return true;
        },
        // Tables drawn with visible borders while editing, through a sheet the document never holds.
        editorShowBorders(on) {
            if (!borderSheet) {
                borderSheet = new CSSStyleSheet();
                borderSheet.replaceSync('table, td, th { border: 1px dotted #999 !important; }');
            }
            const others = document.adoptedStyleSheets.filter(sheet => sheet !== borderSheet);
            document.adoptedStyleSheets = on ? others.concat([borderSheet]) : others;
            return true;
        },
    });
})();
