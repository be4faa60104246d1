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
        const form = doc && doc.forms.namedItem(location.form);
        const f = form instanceof HTMLFormElement ? form : (form ? form[0] : null);
        const e = f ? f.elements.namedItem(location.field) : null;
        return e instanceof RadioNodeList ? e[0] : e;
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
