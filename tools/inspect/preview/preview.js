// Draws the device preview from the data blob the inspector wrote into the page: menu bar, toolbar,
// header, module tabs, a tree that unfolds lazily, and one display at a time, in the chosen language.
(function () {
  'use strict';
  const data = JSON.parse(document.getElementById('device-data').textContent);
  const state = {
    lang: 0,
    module: 0,
    display: null,      // id of the display shown, in the current module
    selected: null,     // key of the selected tree entry
    online: data.online,
    expanded: new Set(),
    tree: true,
    header: true,
    pictures: true,
  };
  let uniqueName = 0;

  // A text is a string, or one string per language when the languages differ.
  function t(text) {
    if (Array.isArray(text)) return text[state.lang] !== undefined ? text[state.lang] : text[0];
    return text === undefined || text === null ? '' : text;
  }
  function builtin(id, fallback) {
    const text = data.texts[id] === undefined ? '' : t(data.texts[id]);
    return text || fallback;
  }
  function el(tag, attrs, ...children) {
    const node = document.createElement(tag);
    for (const [key, value] of Object.entries(attrs || {})) {
      if (value === undefined || value === null || value === false) continue;
      if (key === 'class') node.className = value;
      else if (key === 'text') node.textContent = value;
      else if (key.startsWith('on')) node.addEventListener(key.slice(2), value);
      else if (key === 'style') node.style.cssText = value;
      else node.setAttribute(key, value === true ? '' : value);
    }
    for (const child of children) if (child !== null && child !== undefined) node.append(child);
    return node;
  }
  function baseName(path) { return path.split(/[\\/]/).pop(); }

  // A picture from the page's embedded files; a file that was not found, or that the inspector would
  // not take into the page, shows as a visible placeholder that says which and why.
  function picture(path, cls) {
    const uri = path ? data.images[path] : null;
    if (uri) return el('img', {class: 'picture ' + (cls || ''), src: uri, alt: baseName(path), title: baseName(path)});
    const why = path ? data.refused[path] : undefined;
    if (why) {
      return el('span', {class: 'missing refused ' + (cls || ''), title: path + ': ' + why,
        text: baseName(path) + ' not shown: ' + why});
    }
    return el('span', {class: 'missing ' + (cls || ''), title: path || '', text: 'missing ' + (path ? baseName(path) : 'picture')});
  }
  // Every file the page would not take in, once, so a refused bitmap strip is explained as well.
  function drawRefused() {
    const paths = Object.keys(data.refused);
    if (paths.length === 0) return null;
    const list = el('ul', {class: 'refused-files'});
    for (const path of paths) list.append(el('li', {'data-path': path, text: path + ' not shown: ' + data.refused[path]}));
    return list;
  }

  // A bitmap strip cut into square pieces: the piece height is the strip's height.
  function stripPiece(node, path, index) {
    const uri = path ? data.images[path] : null;
    if (!uri) return false;
    node.style.backgroundImage = 'url("' + uri + '")';
    const image = new Image();
    image.onload = function () {
      const size = image.naturalHeight || 16;
      node.style.width = size + 'px';
      node.style.height = size + 'px';
      node.style.backgroundPosition = (-index * size) + 'px 0';
    };
    image.src = uri;
    node.style.backgroundPosition = (-index * 16) + 'px 0';
    return true;
  }

  function parameter(par, ref) { return data.parameters[par + ':' + ref]; }
  function currentModule() { return data.modules[state.module]; }

  // Menu bar: the device's entries, then the current module's; popups open on click, nested ones too.
  function closeMenus(except) {
    document.querySelectorAll('.menubar .menu.open').forEach(function (menu) {
      if (!except || !menu.contains(except)) menu.classList.remove('open');
    });
  }
  function runMenuEntry(entry) {
    closeMenus();
    if (entry.action === 'setlanguage') {
      const index = data.languages.findIndex(function (l) { return l.code === entry.target; });
      if (index >= 0) setLanguage(index);
    } else if (entry.action === 'module') {
      const index = data.modules.findIndex(function (m) { return m.id === entry.target; });
      if (index >= 0) selectModule(index);
    }
  }
  function menuEntries(entries, top) {
    const nodes = [];
    for (const entry of entries) {
      if (entry.type === 'separator') { nodes.push(el('div', {class: 'separator'})); continue; }
      const label = t(entry.label) || entry.target || entry.variable || '(no label)';
      let children = entry.type === 'popup-begin' ? entry.items || [] : null;
      let choices = [];
      if (entry.variable) {
        const variable = parameter('variable', entry.variable);
        choices = (variable && variable.choices) || [];
      }
      if (children === null && choices.length === 0) {
        nodes.push(el('button', {class: 'entry command', 'data-action': entry.action, title: entry.target,
          onclick: function () { runMenuEntry(entry); }, text: label}));
        continue;
      }
      const popup = el('div', {class: 'popup'});
      for (const node of menuEntries(children || [], false)) popup.append(node);
      for (const choice of choices) {
        popup.append(el('button', {class: 'entry choice', text: t(choice.label) || String(choice.value),
          onclick: function () { closeMenus(); }}));
      }
      const menu = el('div', {class: 'menu' + (top ? '' : ' sub')});
      const button = el('button', {class: 'entry', text: label, onclick: function (event) {
        event.stopPropagation();
        const open = menu.classList.contains('open');
        closeMenus(menu);
        menu.classList.toggle('open', !open);
        menu.querySelectorAll('.menu.open').forEach(function (m) { m.classList.remove('open'); });
      }});
      menu.append(button, popup);
      nodes.push(menu);
    }
    return nodes;
  }
  function drawMenubar() {
    const bar = el('nav', {class: 'menubar'});
    const module = currentModule();
    for (const node of menuEntries(data.menubar.concat(module ? module.menubar : []), true)) bar.append(node);
    return bar;
  }

  // Toolbar: the display control's own buttons, then the device's, cut from its bitmap strip.
  function drawToolbar() {
    const bar = el('div', {class: 'toolbar'});
    const own = [
      ['tree', 'toolBarToggleTree', '\u2630'],
      ['header', 'toolBarToggleHeader', '\u25AD'],
      ['pictures', 'toolBarTogglePictures', '\u25A3'],
    ];
    for (const [key, textId, glyph] of own) {
      bar.append(el('button', {class: 'tool own', 'data-toggle': key, title: builtin(textId, key),
        'aria-pressed': String(state[key]), text: glyph,
        onclick: function () { state[key] = !state[key]; render(); }}));
    }
    bar.append(el('button', {class: 'tool own', title: builtin('toolBarDtmHelp', 'DTM help'), text: '?'}));
    bar.append(el('button', {class: 'tool own', title: builtin('toolBarUIHelp', 'UI help'), text: 'i'}));
    bar.append(el('span', {class: 'sep'}));
    for (const item of data.toolbar.items) {
      if (item.type === 'separator') { bar.append(el('span', {class: 'sep'})); continue; }
      const button = el('button', {class: 'tool device', 'data-id': item.id, 'data-bitmap': item.bitmap,
        title: t(item.label) || item.target || item.id});
      if (item.type === 'check') {
        button.setAttribute('aria-pressed', 'false');
        button.addEventListener('click', function () {
          button.setAttribute('aria-pressed', String(button.getAttribute('aria-pressed') !== 'true'));
        });
      }
      if (!stripPiece(button, data.toolbar.strip, item.bitmap)) {
        button.classList.add('no-strip');
        button.textContent = '#' + item.bitmap;
      }
      bar.append(button);
    }
    return bar;
  }

  // Header: the places of the current mode (online or offline) and the general ones, with the logos.
  function placeValue(record) {
    const value = el('span', {class: 'value'});
    if (record.par === 'image') {
      const image = parameter('image', record.ref);
      value.append(picture(image && image.image, 'header-picture'));
      return value;
    }
    const par = parameter(record.par, record.ref);
    if (record.kind === 'led' || record.kind === 'led-handling') value.append(el('span', {class: 'led'}));
    if (record.control) {
      value.append(el('span', {class: 'embedded', style: 'width:' + (record.control.width || 120) + 'px;height:' +
        (record.control.height || 32) + 'px', text: record.control.progId || record.control.id}));
    } else if (record.par === 'method') {
      value.append(el('button', {text: (par && t(par.label)) || record.ref}));
    } else {
      value.append(el('span', {text: (par && par.value) || '\u2014'}));
    }
    if (record.status) value.append(el('span', {class: 'led status', title: record.status}));
    return value;
  }
  function drawHeader() {
    const mode = state.online ? 'online' : 'offline';
    const header = el('div', {class: 'header' + (state.header ? '' : ' hidden'), 'data-mode': mode});
    const vendor = el('div', {class: 'logos vendor'});
    for (const path of data.logos.vendor) vendor.append(picture(path, 'logo'));
    const places = el('div', {class: 'places'});
    const shown = new Set();
    for (const record of data.header) {
      if ((record.mode !== mode && record.mode !== 'general') || shown.has(record.place)) continue;
      shown.add(record.place);
      const par = parameter(record.par, record.ref);
      places.append(el('div', {class: 'place', 'data-place': record.place, 'data-kind': record.kind},
        el('span', {class: 'name', text: (par && t(par.label)) || record.place}), placeValue(record)));
    }
    const device = el('div', {class: 'logos device'});
    for (const path of data.logos.device) device.append(picture(path, 'logo'));
    const modes = el('div', {class: 'modes'},
      el('button', {'data-mode': 'online', 'aria-pressed': String(state.online), text: 'Online',
        onclick: function () { state.online = true; render(); }}),
      el('button', {'data-mode': 'offline', 'aria-pressed': String(!state.online), text: 'Offline',
        onclick: function () { state.online = false; render(); }}));
    header.append(vendor, places, device, modes);
    return header;
  }

  function drawTabs() {
    const tabs = el('div', {class: 'tabs'});
    data.modules.forEach(function (module, index) {
      const icon = module.icon && (data.images[module.icon] || data.refused[module.icon]) ?
        picture(module.icon, 'tab-icon') : null;
      tabs.append(el('button', {class: 'tab' + (index === state.module ? ' selected' : '') +
          (module.tab ? '' : ' menu-module'), 'data-module': module.id, title: module.integration,
        onclick: function () { selectModule(index); }}, icon, t(module.name) || module.id));
    });
    if (data.languages.length > 1) {
      const select = el('select', {class: 'language', id: 'language', onchange: function () {
        setLanguage(select.selectedIndex);
      }});
      data.languages.forEach(function (language, index) {
        select.append(el('option', {value: language.code, selected: index === state.lang, text: language.name}));
      });
      tabs.append(select);
    }
    return tabs;
  }

  // The tree: only unfolded branches have their entries built, so a menu of thousands costs nothing
  // until it is opened.
  function treeEntry(node, key, module) {
    const li = el('li', {'data-ref': node.r, 'data-type': node.t});
    const hasChildren = node.c && node.c.length > 0;
    const toggle = el('span', {class: 'toggle', text: hasChildren ? '\u25B8' : ''});
    const icon = el('span', {class: 'icon'});
    if (node.i === undefined || !stripPiece(icon, module.treeIcons, node.i)) icon.style.display = 'none';
    const label = el('span', {class: 'label' + (key === state.selected ? ' selected' : '') + (node.x ? ' repeated' : ''),
      'data-display': node.d, text: t(node.l) || node.r || '(no label)'});
    label.addEventListener('click', function () {
      state.selected = key;
      document.querySelectorAll('.tree .label.selected').forEach(function (l) { l.classList.remove('selected'); });
      label.classList.add('selected');
      if (node.d) {
        showDisplay(node.d);
      } else if (node.t === 'module') {  // a link to another module opens that module
        const index = data.modules.findIndex(function (m) { return m.id === node.r; });
        if (index >= 0) selectModule(index);
      }
    });
    li.append(el('div', {class: 'line'}, toggle, icon, label));
    let list = null;
    function unfold(open) {
      if (!hasChildren) return;
      if (open && !list) {
        list = el('ul');
        const fragment = document.createDocumentFragment();
        node.c.forEach(function (child, index) { fragment.append(treeEntry(child, key + '/' + index, module)); });
        list.append(fragment);
        li.append(list);
      }
      if (list) list.hidden = !open;
      toggle.textContent = open ? '\u25BE' : '\u25B8';
      if (open) state.expanded.add(key); else state.expanded.delete(key);
    }
    toggle.addEventListener('click', function () { unfold(!state.expanded.has(key) || (list && list.hidden)); });
    label.addEventListener('dblclick', function () { unfold(!(list && !list.hidden)); });
    if (state.expanded.has(key)) unfold(true);
    return li;
  }
  function drawTree() {
    const aside = el('aside', {class: 'tree' + (state.tree ? '' : ' hidden')});
    const module = currentModule();
    const list = el('ul');
    if (module) {
      module.tree.forEach(function (node, index) { list.append(treeEntry(node, state.module + ':' + index, module)); });
    }
    aside.append(list);
    return aside;
  }

  // One display item as the control its style names.
  function control(item, par) {
    const choices = (par && par.choices) || [];
    const value = par && par.value;
    const readOnly = par && par.handling === 'readonly';
    switch (item.style) {
      case 'edit':
        return el('input', {type: par && par.type === 'PASSWORD' ? 'password' : 'text', value: value || '',
          placeholder: item.format || (par && par.format) || '', readonly: readOnly, style: item.align ?
            'text-align:' + item.align.toLowerCase() : null});
      case 'static':
        return el('span', {class: 'static', text: value || item.format || '\u2014'});
      case 'radio': {
        const name = 'radio' + (++uniqueName);
        const set = el('fieldset', {class: 'choices'});
        for (const choice of choices) {
          set.append(el('label', {}, el('input', {type: 'radio', name: name, value: choice.value}),
            ' ' + (t(choice.label) || choice.value)));
        }
        return set;
      }
      case 'checkbox':
        return el('input', {type: 'checkbox', disabled: readOnly});
      case 'list':
      case 'combo': {
        const select = el('select', {size: item.style === 'list' ? Math.max(2, Math.min(choices.length, 6)) : null,
          multiple: item.style === 'list' && par && /BIT_ENUM/.test(par.type), disabled: readOnly});
        for (const choice of choices) {
          select.append(el('option', {value: choice.value, text: t(choice.label) || String(choice.value)}));
        }
        return select;
      }
      case 'button':
      case 'module-button':
        return el('button', {class: 'method', text: t(item.label) || (par && t(par.label)) || item.ref});
      case 'led':
        return el('span', {class: 'led', title: item.ref});
      default:
        if (item.par === 'module') {
          return el('div', {class: 'embedded', style: 'width:' + (item.weight || 160) + 'px;height:' + (item.height || 60) + 'px',
            text: (item.labelRef || item.ref) + (item.legend ? ' (' + item.legend + ')' : '')});
        }
        if (item.par === 'image') return picture(par && par.image, 'display-picture');
        return el('span', {class: 'unknown', text: 'unknown control ' + item.ref});
    }
  }
  function headline(item) {
    const style = [];
    if (item.font) style.push('font-family:"' + item.font.replace(/"/g, '') + '",sans-serif');
    if (item.height) style.push('font-size:' + item.height + 'px');
    if (item.weight) style.push('font-weight:' + item.weight);
    if (item.italic) style.push('font-style:italic');
    if (item.underline) style.push('text-decoration:underline');
    if (item.color !== undefined) {
      // A colour is a Windows COLORREF: 0x00BBGGRR.
      const c = item.color;
      style.push('color:rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')');
    }
    return el('div', {class: 'headline'}, el('div', {style: style.join(';'), text: t(item.label) || item.ref}));
  }
  function column() {
    return el('div', {class: 'column'},
      el('div', {class: 'head', text: builtin('naviColumnHeadLabel', 'Label')}),
      el('div', {class: 'head', text: builtin('naviColumnHeadValue', 'Value')}),
      el('div', {class: 'head', text: builtin('naviColumnHeadUnit', 'Unit')}));
  }
  function drawDisplay() {
    const main = el('main', {class: 'display', id: 'display'});
    const module = currentModule();
    if (!state.display || !module) {
      main.append(el('p', {class: 'hint', text: 'Choose an entry of the tree.'}));
      return main;
    }
    const display = data.displays[module.id + '/' + state.display];
    main.setAttribute('data-display', state.display);
    if (!display || !display.found) {
      main.append(el('p', {class: 'notice', text: 'The display ' + state.display + ' is not declared in ' + module.id + '.'}));
      return main;
    }
    main.append(el('h2', {text: t(display.label) || state.display}));
    const columns = el('div', {class: 'columns'});
    let current = column();
    columns.append(current);
    for (const item of display.items) {
      if (item.style === 'newcolumn') { current = column(); columns.append(current); continue; }
      if (item.style === 'headline') { current.append(headline(item)); continue; }
      if (item.style === 'emptyfield') { current.append(el('div', {class: 'empty'}, el('div'))); continue; }
      const par = parameter(item.par, item.ref);
      const label = t(item.label) || (par && t(par.label)) || item.ref;
      const wide = item.par === 'module' || item.par === 'image' || item.style === 'button';
      const row = el('div', {class: 'item', 'data-ref': item.ref, 'data-style': item.style, 'data-par': item.par});
      const cell = el('div', {class: 'control', title: (par && t(par.tooltip)) || null}, control(item, par));
      if (item.condition) cell.append(el('span', {class: 'condition', text: item.condition}));
      if (wide) {
        cell.style.gridColumn = '1 / -1';
        row.append(cell);
      } else {
        row.append(el('div', {class: 'label', text: label}), cell, el('div', {class: 'unit'}));
      }
      current.append(row);
    }
    main.append(columns);
    const nav = el('div', {class: 'nav'});
    const buttons = [['home', 'navBarGoHome', 'Home'], ['first', 'navBarGoStart', 'Start'],
      ['previous', 'navBarGoBack', 'Back'], ['next', 'navBarGoForward', 'Forward'], ['last', 'navBarGoLast', 'Last']];
    for (const [key, textId, fallback] of buttons) {
      const target = display.nav[key];
      nav.append(el('button', {'data-nav': key, 'data-target': target || null, disabled: !target,
        text: builtin(textId, fallback), onclick: function () { showDisplay(target); }}));
    }
    main.append(nav);
    return main;
  }

  function showDisplay(id) {
    state.display = id;
    const old = document.getElementById('display');
    if (old) old.replaceWith(drawDisplay()); else render();
  }
  function selectModule(index) {
    state.module = index;
    state.display = null;
    state.selected = null;
    render();
  }
  function setLanguage(index) {
    state.lang = index;
    document.documentElement.lang = data.languages[index].code;
    render();
  }

  function render() {
    const app = el('div', {id: 'app', class: state.pictures ? '' : 'pictures-off', 'data-language': data.languages[state.lang].code});
    const refused = drawRefused();
    app.append(drawMenubar(), drawToolbar(), ...(refused ? [refused] : []), drawHeader(), drawTabs(),
      el('div', {class: 'body'}, drawTree(), drawDisplay()));
    const old = document.getElementById('app');
    if (old) old.replaceWith(app); else document.body.append(app);
  }

  document.addEventListener('click', function (event) {
    if (!event.target.closest('.menubar')) closeMenus();
  });
  const first = data.modules.findIndex(function (m) { return m.tab; });
  state.module = first >= 0 ? first : 0;
  render();
})();
