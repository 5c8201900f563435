// The help viewer of the preview: shows a help file embedded in the page (PDF, HTML or text) over the
// page, as the display control's help buttons open the device's help.
const previewHelp = (function () {
  'use strict';
  const urls = new Map();  // embedded file -> its object URL, made once

  function objectUrl(path, uri) {
    if (!urls.has(path)) {
      const comma = uri.indexOf(',');
      const type = uri.slice('data:'.length, uri.indexOf(';'));
      const binary = atob(uri.slice(comma + 1));
      const bytes = new Uint8Array(binary.length);
      for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
      const blob = new Blob([bytes], {type: type === 'text/plain' || type === 'text/html' ? type + ';charset=utf-8' : type});
      urls.set(path, {url: URL.createObjectURL(blob), type: type, bytes: bytes});
    }
    return urls.get(path);
  }

  // The viewer's body for one help reference: the file, a link for a web address, or why there is none.
  function body(data, path, el) {
    if (!path) {
      return el('p', {class: 'notice', text: 'No help file: the localized file names none for this language, ' +
        'or the one it names is not there.'});
    }
    if (/^https?:\/\//.test(path)) {
      return el('p', {}, 'The help is on the web: ', el('a', {href: path, target: '_blank', rel: 'noopener', text: path}));
    }
    const uri = data.files[path];
    if (!uri) {
      const why = data.refused[path];
      return el('p', {class: 'notice', text: why ? path + ' not shown: ' + why : 'missing ' + path});
    }
    const file = objectUrl(path, uri);
    if (file.type === 'text/html') {
      // Shown without its scripts: the page is sent to reviewers and runs only its own code.
      return el('iframe', {class: 'help-file', sandbox: '', srcdoc: new TextDecoder().decode(file.bytes),
        'data-path': path, title: path});
    }
    return el('iframe', {class: 'help-file', src: file.url, 'data-path': path, title: path});
  }

  // Opens the viewer over the page; the close button or Escape closes it again.
  function open(data, title, path, el) {
    close();
    const name = path ? path.split(/[\\/]/).pop() : '';
    const viewer = el('div', {class: 'help-viewer', id: 'help-viewer', role: 'dialog', 'aria-label': title},
      el('div', {class: 'help-bar'},
        el('span', {class: 'help-title', text: title + (name ? ': ' + name : '')}),
        path && data.files[path] ? el('a', {href: objectUrl(path, data.files[path]).url, target: '_blank',
          text: 'Open in a new tab'}) : null,
        el('button', {class: 'help-close', text: '\u2715', title: 'Close', onclick: close})),
      body(data, path, el));
    document.body.append(viewer);
  }
  function close() {
    const old = document.getElementById('help-viewer');
    if (old) old.remove();
  }
  document.addEventListener('keydown', function (event) {
    if (event.key === 'Escape') close();
  });

  return {open: open, close: close};
})();
