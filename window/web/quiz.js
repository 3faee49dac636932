// The quiz page: builds the window from the table the module exports, then passes the load
// event and the user's clicks to it. The module writes back selections and texts through
// the imports below. Every text and every position comes from the module.
'use strict';
(async function () {
  const Kind = { Label: 0, Frame: 1, OptionButton: 2, CommandButton: 3, TextBox: 4 };
  const Field = { Caption: 0, Name: 1, AccessibleName: 2, FormCaption: 3, FontFace: 4 };
  const Flag = { Visible: 1, Graphical: 2, MultiLine: 4, VerticalScroll: 8, ReadOnly: 16 };
  const decoder = new TextDecoder('utf-16le');
  const elements = [];  // by control position: the element that holds the control's state
  let q;

  const utf16 = (address, length) =>
    decoder.decode(new Uint16Array(q.memory.buffer, address, length));
  const text = (field, position = 0) =>
    utf16(q.quiz_text(field, position), q.quiz_text_length(field, position));
  const colour = (stored) => (stored >>> 0) === 0xFFFFFFFF ? '' :
    `rgb(${stored & 255}, ${(stored >>> 8) & 255}, ${(stored >>> 16) & 255})`;

  const page = {
    set_selected(position, selected) {
      if (elements[position]) elements[position].checked = selected !== 0;
    },
    is_selected: (position) => (elements[position] && elements[position].checked ? 1 : 0),
    set_text(position, address, length) {
      if (elements[position]) elements[position].textContent = utf16(address, length);
    },
    announce(position) {  // the live region speaks the new text; show it from its start
      if (elements[position]) elements[position].scrollTop = 0;
    },
  };

  // The single file carries the module inline: compiled at once, so the window is built
  // before the first paint. The folder page fetches it.
  const inline = document.getElementById('quiz-module');
  q = inline
    ? new WebAssembly.Instance(new WebAssembly.Module(
      Uint8Array.from(atob(inline.textContent), (c) => c.charCodeAt(0))), { page }).exports
    : (await WebAssembly.instantiate(await (await fetch('quiz.wasm')).arrayBuffer(), { page }))
      .instance.exports;
  q._initialize();

  const form = document.getElementById('quiz');
  document.title = text(Field.FormCaption);
  Object.assign(form.style, {
    width: q.quiz_form_width() + 'px', height: q.quiz_form_height() + 'px',
    background: colour(q.quiz_form_color()),
    font: `${q.quiz_font_weight()} ${q.quiz_font_points()}pt ` +
      `"${text(Field.FontFace)}", "Liberation Serif", serif`,
  });

  function create(position) {
    const kind = q.quiz_control_kind(position);
    const flags = q.quiz_control_flags(position);
    const caption = text(Field.Caption, position);
    let box, state;
    switch (kind) {
      case Kind.Label:
        box = document.createElement('div');
        box.className = 'label';
        box.textContent = caption;
        break;
      case Kind.Frame:
        box = state = document.createElement('fieldset');
        box.className = 'frame';
        box.appendChild(document.createElement('legend')).textContent = caption;
        break;
      case Kind.OptionButton:
        box = document.createElement('label');
        box.className = q.quiz_control_alignment(position) === 1 ? 'option right' : 'option';
        state = box.appendChild(document.createElement('input'));
        state.type = 'radio';
        state.name = 'group' + q.quiz_control_parent(position);
        box.appendChild(document.createElement('span')).textContent = caption;
        box.style.zIndex = q.quiz_control_layer(position);
        break;
      case Kind.CommandButton:
        box = state = document.createElement('button');
        box.type = 'button';
        box.className = 'command';
        box.textContent = caption;
        break;
      case Kind.TextBox:
        box = state = document.createElement('div');
        box.className = flags & Flag.VerticalScroll ? 'text scroll' : 'text';
        box.tabIndex = 0;
        box.setAttribute('role', 'textbox');
        box.setAttribute('aria-multiline', String((flags & Flag.MultiLine) !== 0));
        box.setAttribute('aria-readonly', String((flags & Flag.ReadOnly) !== 0));
        box.setAttribute('aria-live', 'polite');
        box.textContent = caption;
        break;
      default:
        return;
    }
    const index = q.quiz_control_index(position);
    box.id = text(Field.Name, position) + (index >= 0 ? '_' + index : '');
    const name = text(Field.AccessibleName, position);
    if (name) box.setAttribute('aria-label', name);
    Object.assign(box.style, {
      left: q.quiz_control_left(position) + 'px', top: q.quiz_control_top(position) + 'px',
      width: q.quiz_control_width(position) + 'px', height: q.quiz_control_height(position) + 'px',
    });
    if (kind !== Kind.CommandButton || flags & Flag.Graphical) {
      box.style.backgroundColor = colour(q.quiz_control_color(position));
    }
    const parent = q.quiz_control_parent(position);
    (parent >= 0 ? elements[parent] : form).appendChild(box);
    elements[position] = state || box;
    if (state && kind !== Kind.Frame && kind !== Kind.TextBox) {
      state.addEventListener('click', () => q.quiz_click(position));
    }
  }
  for (let n = 0; n < q.quiz_page_order_count(); ++n) create(q.quiz_page_order(n));
  q.quiz_load();

  // Tab and Shift+Tab go round the window's stops; a group is entered at its chosen button,
  // or at its top one when none is chosen.
  const stops = [];
  for (let n = 0; n < q.quiz_tab_stop_count(); ++n) stops.push(elements[q.quiz_tab_stop(n)]);
  const entry = (stop) => stop.tagName !== 'FIELDSET' ? stop :
    stop.querySelector('input:checked') || stop.querySelector('input');
  document.addEventListener('keydown', (event) => {
    if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey) return;
    const at = stops.findIndex((stop) => stop.contains(document.activeElement));
    const step = event.shiftKey ? stops.length - 1 : 1;
    const next = at < 0 ? (event.shiftKey ? stops.length - 1 : 0) : (at + step) % stops.length;
    event.preventDefault();
    entry(stops[next]).focus();
  });

  // On a narrow screen the window scales down as a whole.
  const fit = () => {
    const scale = Math.min(1, innerWidth / form.offsetWidth, innerHeight / form.offsetHeight);
    form.style.transform = scale < 1 ? `scale(${scale})` : '';
  };
  addEventListener('resize', fit);
  fit();
  if (stops.length) entry(stops[0]).focus({ preventScroll: true });
  form.choices = () => [q.quiz_chosen_person(), q.quiz_chosen_achievement()];  // for tests
  document.documentElement.dataset.ready = '';
})();
