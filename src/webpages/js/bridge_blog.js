// The blog service's post page: its post-body field, reached through frames by name.
// A location is { frames: [names], form, field }.
(function () {
    'use strict';

    function frameDocument(doc, name) {
        const frame = Array.from(doc.querySelectorAll('iframe, frame')).find(f => f.name === name);
        try {
            return frame ? frame.contentDocument : null;
        } catch (e) {
            return null; // a frame of another site
        }
    }
    function postField(location) {
        let doc = document;
        for (const name of location.frames) {
            doc = doc && frameDocument(doc, name);
        }
        // Elements of another frame are not instances of this frame's classes: test by tag.
        const first = item => (item && !item.tagName ? item[0] : item) || null;
        const form = first(doc && doc.forms.namedItem(location.form));
        return form && form.tagName === 'FORM' ? first(form.elements.namedItem(location.field)) : null;
    }

    Object.assign(window.corvalisBridge, {
        // The index of the first location that exists, or -1.
        postBodyLocation(locations) {
            return locations.findIndex(l => !!postField(l));
        },
        // The field's box as the top page shows it: [left, top, width, height], through its frames.
        postBodyRect(location) {
            const e = postField(location);
            if (!e)
                return null;
            const box = e.getBoundingClientRect();
            let left = box.left, top = box.top;
            for (let w = e.ownerDocument.defaultView; w && w.frameElement; w = w.parent) {
                const frame = w.frameElement, outer = frame.getBoundingClientRect();
                left += outer.left + frame.clientLeft;
                top += outer.top + frame.clientTop;
            }
            return [left, top, box.width, box.height];
        },
        setPostBody(location, html) {
            const e = postField(location);
            if (!e)
                return false;
            e.value = html;
            return true;
        },
    });
})();
