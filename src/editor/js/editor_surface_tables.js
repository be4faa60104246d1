// Tables: inserting one, its row and column commands and Tab from cell to cell, a dialog's
// changed table put in place, and the borders drawn while editing. The commands change the
// table where it stands, whatever its size, each change one step for Undo.
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
    // The steps of the changes below: a node put in (before `before`, null for the end) or taken out.
    function inserted(parent, node, before) {
        parent.insertBefore(node, before);
        return { undo() { node.remove(); }, redo() { parent.insertBefore(node, before); } };
    }
    function removed(node) {
        const parent = node.parentNode, before = node.nextSibling;
        node.remove();
        return { undo() { parent.insertBefore(node, before); }, redo() { node.remove(); } };
    }
    function attributeSet(element, name, value) {
        const before = element.getAttribute(name);
        s.setAttributeValue(element, name, value);
        return { undo() { s.setAttributeValue(element, name, before); },
                 redo() { s.setAttributeValue(element, name, value); } };
    }
    function textSet(node, data) {
        const before = node.data;
        node.data = data;
        return { undo() { node.data = before; }, redo() { node.data = data; } };
    }
    function madeAsOneStep(steps) {
        if (steps.length)
            s.ownStepMade(s.joined(steps));
        s.report('displayChanged');
    }

    // Row and column changes, on the table around the caret; new ones come before the current
    // (Tab's new row, 'below', after it). A table left with no cells goes. The caret stays in its
    // cell, or the nearest one left.
    function tableCommand(id, below) {
        const cell = s.currentCell();
        if (!cell)
            return false;
        const table = cell.closest('table');
        const row = cell.parentElement;
        let rowAt = row.rowIndex, column = cell.cellIndex;
        const steps = [];
        if (id === 5021) {
            const fresh = row.cloneNode(false);
            for (const c of row.cells) {
                const blank = fresh.appendChild(blankCell(c));
                if (c.colSpan > 1)
                    blank.colSpan = c.colSpan;
            }
            steps.push(inserted(row.parentNode, fresh, below ? row.nextSibling : row));
            rowAt += 1;
            if (below)
                column = 0;
        } else if (id === 5007) {
            steps.push(removed(row));
        } else {
            for (const r of Array.from(table.rows)) {
                const c = r.cells[Math.min(column, r.cells.length - 1)];
                if (!c)
                    continue;
                if (id === 5020)
                    steps.push(inserted(r, blankCell(c), r.cells[column] || null));
                else if (r.cells[column])
                    steps.push(removed(r.cells[column]));
            }
            if (id === 5020)
                column += 1;
        }
        const empty = table.rows.length === 0 || (id === 5006 && table.rows[0].cells.length === 0);
        if (empty)
            steps.push(removed(table));
        madeAsOneStep(steps);
        if (!empty && table.rows.length) {
            const r = table.rows[Math.min(rowAt, table.rows.length - 1)];
            if (r.cells.length)
                s.caretInto(r.cells[Math.min(column, r.cells.length - 1)]);
        }
        return true;
    }

    // Makes `live` like `wanted` (its changed copy, parsed from a dialog's text) by changing in
    // place the attributes and texts that differ; children that differ in kind or number are
    // replaced. The changes are added to `steps`.
    function reshape(live, wanted, steps) {
        if (live.isEqualNode(wanted))
            return;
        for (const a of Array.from(wanted.attributes)) {
            if (live.getAttribute(a.name) !== a.value)
                steps.push(attributeSet(live, a.name, a.value));
        }
        for (const a of Array.from(live.attributes)) {
            if (!wanted.hasAttribute(a.name))
                steps.push(attributeSet(live, a.name, null));
        }
        const now = Array.from(live.childNodes), then = Array.from(wanted.childNodes);
        const alike = now.length === then.length && now.every((n, i) => n.nodeName === then[i].nodeName);
        if (!alike) {
            for (const n of now)
                steps.push(removed(n));
            for (const n of then)
                steps.push(inserted(live, document.importNode(n, true), null));
            return;
        }
        now.forEach((n, i) => {
            if (n.nodeType === Node.ELEMENT_NODE)
                reshape(n, then[i], steps);
            else if (n.data !== then[i].data)
                steps.push(textSet(n, then[i].data));
        });
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

    let borderSheet = null, markedTable = null;
    Object.assign(s, { tableCommand, tabInTable, insertTable });
    Object.assign(s.bridge, {
        // The table around the selection's start (the selected table itself), kept for the change
        // that follows, and its HTML with `marker` where the selection starts (first in the cell
        // there when it starts between cells): marked in a copy, so that neither the document nor
        // its history ever holds the marker.
        editorMarkedTable(marker) {
            markedTable = null;
            const r = s.selectionRange();
            if (!r)
                return null;
            let node = r.startContainer, offset = r.startOffset;
            const at = node.nodeType === Node.ELEMENT_NODE ? node.childNodes[offset] : null;
            if (at && ['TD', 'TH', 'TABLE'].includes(at.nodeName)) {
                node = at;
                offset = 0;
            }
            const element = node.nodeType === Node.ELEMENT_NODE ? node : node.parentElement;
            const table = element && element.closest('table');
            if (!table || !document.body.contains(table))
                return null;
            markedTable = table;
            const copy = table.cloneNode(true);
            if (marker) {
                let counterpart = copy;
                const path = [];
                for (let n = node; n !== table; n = n.parentNode)
                    path.unshift(Array.prototype.indexOf.call(n.parentNode.childNodes, n));
                for (const i of path)
                    counterpart = counterpart.childNodes[i];
                const place = document.createRange();
                place.setStart(counterpart, offset);
                place.insertNode(document.createTextNode(marker));
            }
            return copy.outerHTML;
        },
        // Makes the table kept above like `html` (its changed copy, as a dialog wrote it) where it
        // stands, one step for Undo; HTML that is not one table takes its place whole.
        editorReshapeTable(html) {
            const e = markedTable;
            if (!e || !e.isConnected)
                return false;
            const parsed = document.createElement('template');
            parsed.innerHTML = html;
            const nodes = Array.from(parsed.content.childNodes), wanted = nodes[0];
            const steps = [];
            if (nodes.length === 1 && wanted.nodeName === e.nodeName) {
                reshape(e, wanted, steps);
            } else {
                for (const n of nodes)
                    steps.push(inserted(e.parentNode, document.importNode(n, true), e));
                steps.push(removed(e));
            }
            madeAsOneStep(steps);
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
