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
        setPostBody(location, html) {
            const e = postField(location);
            if (!e)
                return false;
            e.value = html;
            return true;
        },
    });
})();
