"use strict";
// What a press of a button or a key does when it comes again, decided here
// once for every action of the page: a press is taken once. A double click,
// a key held down, or a key pressed twice in a hurry (Enter, Space) would
// otherwise act a second time on whatever the first press left in its
// place: the next row's "Quitar" moves under the pointer and the focus,
// the next quote opens where one was deleted, "Agregar" takes the focus
// when the last act is removed.
//
// So within REPEAT_MS of the last press, a press is that same press when
// it is of the same kind of action (every "Quitar" is one kind), or when it
// comes from the keyboard to the control the last press gave the focus to;
// and so is every click after the first of a double click and every repeat
// of a held key. A click on another button is a person's choice, however
// quick. Once a person types, chooses or moves on with Tab, the next press
// is new.

const Presses = (() => {
  const REPEAT_MS = 600;
  // The last press: its kind, when it ended and the control its action
  // gave the focus to (null when it left the focus where it was). A press
  // dropped as a repeat makes the gesture last longer, as a held key does.
  let last = { kind: null, at: -Infinity, focused: null };

  function isRepeat(kind, event) {
    if (event.repeat || event.detail > 1) return true;
    if (performance.now() - last.at >= REPEAT_MS) return false;
    const byKey = !(event.detail >= 1);
    return kind === last.kind || (byKey && last.focused !== null && last.focused.contains(event.target));
  }

  // Runs the action unless the press repeats the last one.
  function press(kind, event, action) {
    const repeat = isRepeat(kind, event);
    const before = document.activeElement;
    try {
      if (!repeat) action(event);
    } finally {
      const focused = repeat ? last.focused : document.activeElement !== before ? document.activeElement : null;
      last = { kind, at: performance.now(), focused };
    }
  }

  // A click on the element, or on what inside it matches `within`: the
  // mouse, Enter and Space on a button all come as one. The action takes
  // the event.
  function onClick(element, kind, action, within = null) {
    element.addEventListener("click", (event) => {
      if (within === null || event.target.closest(within)) press(kind, event, action);
    });
  }

  // Enter in a field, which a browser would otherwise take as nothing or
  // as a form's submission.
  function onEnter(element, kind, action) {
    element.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.isComposing) return;
      event.preventDefault();
      press(kind, event, action);
    });
  }

  // A form's submission (Enter in its fields, its submit button).
  function onSubmit(form, kind, action) {
    form.addEventListener("submit", (event) => {
      event.preventDefault();
      press(kind, event, action);
    });
  }

  const moveOn = () => { last = { kind: null, at: -Infinity, focused: null }; };
  document.addEventListener("input", moveOn, true);
  document.addEventListener("change", moveOn, true);
  document.addEventListener("keydown", (event) => {
    if (event.key === "Tab") moveOn();
  }, true);

  return { onClick, onEnter, onSubmit };
})();
