// The table around the selection as text, for the table and cell dialogs, and their changed
// text put back where the table stands, one step for Undo. The dialogs change mostly start tags:
// the program then sends just the changed tags, by their place among the text's start tags, and
// only their elements are touched, which keeps a large table's round trip to a few passes over
// its text. Other changes come as the table's whole text, made so through a copy of the table.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;
    const { inserted, removed, attributeSet } = s.tableSteps;

    // The kept table: its element, its text as given, where the text's start tags begin, and what
    // has changed in the table since (nothing, while a dialog is open).
    let kept = null;
    // Where the start tags of `html` ("<" and a letter) begin.
    function tagStarts(html) {
        const starts = [];
        for (let at = html.indexOf('<'); at >= 0; at = html.indexOf('<', at + 1)) {
            const c = html.charCodeAt(at + 1) | 0x20;
            if (c >= 0x61 && c <= 0x7a)
                starts.push(at);
        }
        return starts;
    }
    // The elements inside `table` in the order of their start tags after the table's own, which
    // begin at `starts`; null when the text holds other "<" and a letter too.
    function elementsByTag(table, starts) {
        const all = table.getElementsByTagName('*');
        return starts.length === all.length + 1 ? all : null;
    }
    // The position of `element` in `all` (document order), found by halving.
    function indexIn(all, element) {
        let low = 0, high = all.length - 1;
        while (low <= high) {
            const mid = (low + high) >> 1;
            if (all[mid] === element)
                return mid;
            if (element.compareDocumentPosition(all[mid]) & Node.DOCUMENT_POSITION_PRECEDING)
                low = mid + 1;
            else
                high = mid - 1;
        }
        return -1;
    }
    // `root`'s HTML with `marker` at (node, offset) inside it, marked in a copy.
    function markedCopy(root, node, offset, marker) {
        const copy = root.cloneNode(true);
        let counterpart = copy;
        const path = [];
        for (let n = node; n !== root; n = n.parentNode)
            path.unshift(Array.prototype.indexOf.call(n.parentNode.childNodes, n));
        for (const i of path)
            counterpart = counterpart.childNodes[i];
        const place = document.createRange();
        place.setStart(counterpart, offset);
        place.insertNode(document.createTextNode(marker));
        return copy.outerHTML;
    }
    // `html` (the table's text) with `marker` at (node, offset): only the element around that
    // point is copied when the text can be read by tags.
    function marked(table, html, starts, node, offset, marker) {
        const around = node.nodeType === Node.ELEMENT_NODE ? node : node.parentNode;
        const all = around !== table && elementsByTag(table, starts);
        const at = all ? indexIn(all, around) : -1;
        if (at >= 0) {
            const part = markedCopy(around, node, offset, marker), begin = starts[at + 1];
            const inPart = part.indexOf(marker);
            if (inPart >= 0 && html.startsWith(part.slice(0, inPart), begin))
                return html.slice(0, begin + inPart) + marker + html.slice(begin + inPart);
        }
        return markedCopy(table, node, offset, marker);
    }

    // The single element that `tag` (one start tag) stands for.
    function parsedTag(tag) {
        const parsed = document.createElement('template');
        parsed.innerHTML = tag;
        return parsed.content.firstElementChild;
    }
    // Makes `live`'s attributes those of `wanted`; the changes are added to `steps`.
    function reshapeAttributes(live, wanted, steps) {
        for (const a of Array.from(wanted.attributes)) {
            if (live.getAttribute(a.name) !== a.value)
                steps.push(attributeSet(live, a.name, a.value));
        }
        for (const a of Array.from(live.attributes)) {
            if (!wanted.hasAttribute(a.name))
                steps.push(attributeSet(live, a.name, null));
        }
    }
    // The steps that rewrite start tags of the kept table `k` as `changes` ([index, tag, tagNow],
    // index 0 the table's own tag) give; null, with nothing changed, when a tag is not the kept
    // text's or does not read alone as its element (a ">" inside a value).
    function tagSteps(k, changes) {
        const all = elementsByTag(k.table, k.starts);
        if (!all)
            return null;
        const steps = [];
        for (const [i, tag, tagNow] of changes) {
            const live = i === 0 ? k.table : all[i - 1];
            const then = parsedTag(tag), wanted = parsedTag(tagNow);
            const same = live && k.html.startsWith(tag, k.starts[i]) && then && wanted &&
                         then.localName === live.localName && wanted.localName === live.localName &&
                         then.attributes.length === live.attributes.length &&
                         Array.from(then.attributes).every(a => live.getAttribute(a.name) === a.value);
            if (!same) {
                for (let j = steps.length - 1; j >= 0; --j)
                    steps[j].undo();
                return null;
            }
            reshapeAttributes(live, wanted, steps);
        }
        return steps;
    }

    // Makes `live` like `wanted` (its changed copy, parsed from a dialog's text) by changing in
    // place the attributes and texts that differ; children that differ in kind or number are
    // replaced. The changes are added to `steps`.
    function reshape(live, wanted, steps) {
        if (live.isEqualNode(wanted))
            return;
        reshapeAttributes(live, wanted, steps);
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
    function textSet(node, data) {
        const before = node.data;
        node.data = data;
        return { undo() { node.data = before; }, redo() { node.data = data; } };
    }
    function forget() {
        if (kept)
            kept.changes.disconnect();
        kept = null;
    }

    Object.assign(s.bridge, {
        // The table around the selection's start (the selected table itself), kept for the change
        // that follows, and its HTML with `marker` where the selection starts (first in the cell
        // there when it starts between cells): marked in a copy, so that neither the document nor
        // its history ever holds the marker.
        editorMarkedTable(marker) {
            forget();
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
            const html = table.outerHTML;
            kept = { table, html, starts: tagStarts(html), changes: new MutationObserver(() => {}) };
            kept.changes.observe(table, { subtree: true, childList: true, attributes: true, characterData: true });
            return marker ? marked(table, html, kept.starts, node, offset, marker) : html;
        },
        // Rewrites start tags of the table kept above as `changes` ([index, tag, tagNow], in the
        // order of its text) give, one step for Undo; false, the table still kept and nothing
        // changed, when they cannot be applied so, or the table changed since.
        editorRetagTable(changes) {
            const k = kept;
            const steps = k && k.table.isConnected && k.changes.takeRecords().length === 0 ? tagSteps(k, changes) : null;
            if (!steps)
                return false;
            forget();
            s.madeAsOneStep(steps);
            return true;
        },
        // Makes the table kept above like `html` (its changed copy, as a dialog wrote it) where it
        // stands, one step for Undo; HTML that is not one table takes its place whole.
        editorReshapeTable(html) {
            const e = kept && kept.table;
            forget();
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
            s.madeAsOneStep(steps);
            return true;
        },
    });
})();
