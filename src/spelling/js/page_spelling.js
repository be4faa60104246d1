// Spell checking a page's text, in the program's script world: the text of the selection or of
// the whole body with its line breaks, and selecting or replacing a stretch of that text by its
// position. A line break counts as one position.
(function () {
    'use strict';
    const bridge = window.corvalisBridge;
    if (!bridge || bridge.spellTake)
        return;

    const blockTags = new Set(['ADDRESS', 'ARTICLE', 'BLOCKQUOTE', 'BODY', 'CAPTION', 'CENTER', 'DD', 'DIV',
        'DL', 'DT', 'FOOTER', 'FORM', 'H1', 'H2', 'H3', 'H4', 'H5', 'H6', 'HEADER', 'HR', 'LI', 'OL', 'P',
        'PRE', 'SECTION', 'TABLE', 'TD', 'TH', 'TR', 'UL']);
    const hiddenTags = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEXTAREA', 'SELECT']);
    let scope = null;  // the range being checked
    let pieces = [];   // its text nodes in order: {node, start, length, at (position in the text)}

    function blockOf(node) {
        for (let n = node.parentNode; n; n = n.parentNode) {
            if (n.nodeType === Node.ELEMENT_NODE && blockTags.has(n.tagName))
                return n;
        }
        return null;
    }
    function hidden(node) {
        for (let n = node.parentNode; n; n = n.parentNode) {
            if (n.nodeType === Node.ELEMENT_NODE && hiddenTags.has(n.tagName))
                return true;
        }
        return false;
    }
    // The scope's text; a new block or a <br> starts a new line.
    function build() {
        pieces = [];
        let text = '';
        let lastBlock = null;
        let root = scope.commonAncestorContainer;
        if (root.nodeType !== Node.ELEMENT_NODE)
            root = root.parentNode;
        const walker = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT);
        for (let n = walker.currentNode; n; n = walker.nextNode()) {
            if (!scope.intersectsNode(n))
                continue;
            if (n.nodeType === Node.ELEMENT_NODE) {
                if (n.tagName === 'BR' && text)
                    text += '\n';
                continue;
            }
            const start = n === scope.startContainer ? scope.startOffset : 0;
            const end = n === scope.endContainer ? scope.endOffset : n.data.length;
            if (end <= start || hidden(n))
                continue;
            const block = blockOf(n);
            if (block !== lastBlock && text && !text.endsWith('\n'))
                text += '\n';
            lastBlock = block;
            pieces.push({node: n, start: start, length: end - start, at: text.length});
            text += n.data.slice(start, end);
        }
        return text;
    }
    // The text node and offset at `position`; `inside` takes the piece holding the character
    // before it (for the end of a stretch) rather than the one starting there.
    function pointAt(position, inside) {
        let found = null;
        for (const p of pieces) {
            if (p.at < position || (!inside && p.at === position))
                found = p;
            else
                break;
        }
        if (!found)
            return null;
        return [found.node, found.start + Math.min(position - found.at, found.length)];
    }
    function rangeOf(position, length) {
        const from = pointAt(position, false);
        const to = pointAt(position + length, true);
        if (!from || !to)
            return null;
        const r = document.createRange();
        r.setStart(from[0], from[1]);
        r.setEnd(to[0], to[1]);
        return r;
    }
    function select(r) {
        const sel = window.getSelection();
        sel.removeAllRanges();
        sel.addRange(r);
    }

    Object.assign(bridge, {
        spellTake(useSelection) {
            if (!document.body)
                return '';
            if (useSelection) {
                const sel = window.getSelection();
                if (!sel || sel.rangeCount === 0 || sel.isCollapsed)
                    return '';
                scope = sel.getRangeAt(0).cloneRange();
            } else {
                scope = document.createRange();
                scope.selectNodeContents(document.body);
            }
            return build();
        },
        // Selects the stretch and gives its place in the view: [left, top, width, height].
        spellSelect(position, length) {
            const r = scope && rangeOf(position, length);
            if (!r)
                return null;
            const holder = r.startContainer.parentElement;
            if (holder)
                holder.scrollIntoView({block: 'nearest'});
            select(r);
            const box = r.getBoundingClientRect();
            return [box.left, box.top, box.width, box.height];
        },
        // Replaces the stretch; in an editable document as an edit that can be undone.
        spellReplace(position, length, replacement) {
            const r = scope && rangeOf(position, length);
            if (!r)
                return false;
            select(r);
            const editable = r.startContainer.parentElement && r.startContainer.parentElement.isContentEditable;
            if (!editable || !document.execCommand('insertText', false, replacement)) {
                r.deleteContents();
                r.insertNode(document.createTextNode(replacement));
            }
            build();
            return true;
        },
    });
})();
