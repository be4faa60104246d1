// Source positions: the document as its file holds it, what changed against the file (as a path
// of child indices from the body down, for the program to write only that part anew), the
// document marked at the selection, its change count, and the body's fingerprint and pictures.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;

    // The document's changes counted, so that what was worked out of it once is known to hold while
    // none came (a fingerprint would read the whole body); the token tells this document from others.
    const changes = { token: Math.random().toString(36).slice(2), count: 0 };
    const watch = new MutationObserver(records => { changes.count += records.length; });
    watch.observe(document, { subtree: true, childList: true, attributes: true, characterData: true });

    function documentHtmlOf(root) {
        if (!root)
            return '';
        return (document.doctype ? '<!DOCTYPE ' + document.doctype.name + '>\r\n' : '') + root.outerHTML;
    }
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
    // The child nodes of `e` as a copy of it without the surface's <base>, made whole, holds them:
    // adjacent text as one node, no empty text. The document's own nodes are compared and written
    // where they are, without copying the whole of a large document each time.
    function childrenOf(e) {
        const nodes = [];
        for (const c of e.childNodes) {
            const last = nodes[nodes.length - 1];
            if (c.nodeType !== Node.TEXT_NODE)
                nodes.push(c);
            else if (last && last.nodeType === Node.TEXT_NODE)
                nodes[nodes.length - 1] = document.createTextNode(last.data + c.data);
            else if (c.data)
                nodes.push(c);
        }
        return nodes;
    }
    // Whether the document's node `now` is, as the file holds it, the file's node `before`.
    function sameNode(before, now) {
        return now.isEqualNode(before) || (now.nodeType === Node.ELEMENT_NODE && withoutOwnBase(now).isEqualNode(before));
    }
    function nodeAt(path) {
        let node = document.documentElement ? childOf(document.documentElement, 'body') : null;
        for (const i of path)
            node = node ? childrenOf(node)[i] || null : null;
        return node;
    }
    // The file's document as the page parsed it, kept for the comparisons that follow; `key`
    // names the file's text.
    let baseline = null;
    // Elements whose text is written raw, and those whose content is no child node.
    const opaque = new Set(['script', 'style', 'xmp', 'iframe', 'noembed', 'noframes', 'plaintext',
                            'noscript', 'textarea', 'template', 'title']);
    function sameTag(a, b) {
        return a.nodeType === Node.ELEMENT_NODE && b.nodeType === Node.ELEMENT_NODE &&
               !opaque.has(a.localName) && a.cloneNode(false).isEqualNode(b.cloneNode(false));
    }

    Object.assign(s.bridge, {
        editorDocumentHtml() {
            return documentHtmlOf(document.documentElement);
        },
        // The document with `marker` at the selection's start (with `atElementStart`, first in the
        // element there), and the selection's HTML with it: marked in a copy, so that neither the
        // document nor its history (a Redo) ever holds the marker.
        editorMarkedDocument(marker, atElementStart) {
            const live = s.selectionRange();
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
                const e = s.controlElement() ? counterpart(s.controlElement()) : s.elementAt(r);
                e.insertBefore(mark, e.firstChild);
            } else {
                r.insertNode(mark);
            }
            return { document: documentHtmlOf(root), range: s.serialize(r.cloneContents()) };
        },
        // What changed against the document's file: `same` for nothing; else the nodes [from, to)
        // of the element at `path` (child indices from the body down), now [from, nowTo), each
        // level of `path` having had `counts` children; `whole` when the head or the body's own tag
        // changed. The file, `source` (its text, named by `key`), is parsed as the page was, once:
        // `unknown` asks for the text when the page does not hold the file named `key`.
        editorSourceChange(key, source) {
            if (!baseline || baseline.key !== key) {
                if (typeof source !== 'string')
                    return { unknown: true };
                const parsed = new DOMParser().parseFromString(source, 'text/html').documentElement;
                baseline = { key, root: withoutOwnBase(parsed) };
            }
            const root = document.documentElement;
            if (!root || !childOf(root, 'body') || !childOf(baseline.root, 'body'))
                return { whole: true };
            const headBefore = childOf(baseline.root, 'head'), headNow = childOf(root, 'head');
            if (!(headBefore ? headNow && headBefore.isEqualNode(withoutOwnBase(headNow)) : !headNow) ||
                !childOf(baseline.root, 'body').cloneNode(false).isEqualNode(childOf(root, 'body').cloneNode(false)))
                return { whole: true };
            let before = childOf(baseline.root, 'body'), after = childOf(root, 'body');
            const path = [], counts = [];
            for (;;) {
                const b = Array.from(before.childNodes), a = childrenOf(after);
                counts.push(b.length);
                let same = 0, sameEnd = 0;
                while (same < b.length && same < a.length && sameNode(b[same], a[same]))
                    ++same;
                if (same === b.length && same === a.length)
                    return path.length ? { whole: true } : { same: true };
                while (sameEnd < b.length - same && sameEnd < a.length - same &&
                       sameNode(b[b.length - 1 - sameEnd], a[a.length - 1 - sameEnd]))
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
            const node = nodeAt(path);
            return node ? childrenOf(node).slice(from, to).map(nodeHtml).join('') : null;
        },
        editorSourceDocument() {
            const root = document.documentElement;
            if (!root)
                return '';
            return (document.doctype ? '<!DOCTYPE ' + document.doctype.name + '>\n' : '') + withoutOwnBase(root).outerHTML;
        },
        // Names the document as it stands: the same name while nothing in it has changed.
        editorChangeCount() {
            changes.count += watch.takeRecords().length;
            return changes.token + ':' + changes.count;
        },
        // A short fingerprint of the body (its length and a hash), to tell whether it changed.
        editorBodyFingerprint() {
            const html = document.body ? document.body.innerHTML : '';
            let h = 0x811c9dc5;
            for (let i = 0; i < html.length; ++i)
                h = Math.imul(h ^ html.charCodeAt(i), 0x01000193);
            return html.length + ':' + (h >>> 0);
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
        editorBodyHtml() {
            return document.body ? document.body.innerHTML : '';
        },
    });
})();
