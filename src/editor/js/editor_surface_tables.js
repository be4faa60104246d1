// Tables: inserting one, its row and column commands and Tab from cell to cell, and the borders
// drawn while editing. The commands change the table where it stands, whatever its size, each
// change one step for Undo.
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
    function madeAsOneStep(steps) {
        if (steps.length)
            s.ownStepMade(s.joined(steps));
        s.report('displayChanged');
    }

    // Row and column changes, on the table around the caret; new ones come before the current
    // (Tab's new row, 'below', after it). A table left with no cells goes. The caret stays in its
    // cell, or goes to the nearest one left: put there before the change, while the table is laid
    // out, since a caret put into a changed table has it laid out anew there and then.
    function tableCommand(id, below) {
        const cell = s.currentCell();
        if (!cell)
            return false;
        const table = cell.closest('table');
        const row = cell.parentElement;
        const column = cell.cellIndex;
        const steps = [];
        let caret = cell;
        if (id === 5007) {
            const next = table.rows[row.rowIndex + 1] || table.rows[row.rowIndex - 1];
            caret = next && next.cells.length ? next.cells[Math.min(column, next.cells.length - 1)] : null;
        } else if (id === 5006) {
            caret = row.cells[column + 1] || row.cells[column - 1] || null;
        }
        if (caret && caret !== cell)
            s.caretInto(caret);
        if (id === 5021) {
            const fresh = row.cloneNode(false);
            for (const c of row.cells) {
                const blank = fresh.appendChild(blankCell(c));
                if (c.colSpan > 1)
                    blank.colSpan = c.colSpan;
            }
            steps.push(inserted(row.parentNode, fresh, below ? row.nextSibling : row));
            if (below)
                caret = fresh.cells[0];
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
        }
        if (table.rows.length === 0 || (id === 5006 && table.rows[0].cells.length === 0))
            steps.push(removed(table));
        madeAsOneStep(steps);
        // Tab's new row takes the caret: the one case where it goes into the changed table.
        if (below && caret && caret.isConnected)
            s.caretInto(caret);
        return true;
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
    Object.assign(s, { tableCommand, tabInTable, insertTable, madeAsOneStep });
    s.tableSteps = { inserted, removed, attributeSet };
    Object.assign(s.bridge, {
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
