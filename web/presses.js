"use strict";
// What a press of a button or a key does when it comes again, decided here
// once for every action of the page: a press is taken once. A double click,
// a key held down, or a key pressed twice in a hurry (Enter, Space) would
// otherwise act a second time on whatever the first press left in its
// place: the next row's "Quitar" moves under the pointer and the focus,
// the next quote opens where one was deleted.
//
// A press within REPEAT_MS of the last one is that same press, whatever it
// lands on (a second Enter on the last "Quitar" lands on "Agregar"), and
// so is every click after the first of a double click and every repeat of
// a held key. Once a person types, chooses or moves on with Tab, the next
// press is new.

const Presses = (() => {
  const REPEAT_MS = 600;
  // When the last press ended; a press dropped as a repeat makes the
  // gesture last longer, as a held key does.
  let last = -Infinity;

  const isRepeat = (event) => event.repeat || event.detail > 1 || performance.now() - last < REPEAT_MS;

  // Runs the action unless the press repeats the last one.
  function press(event, action) {
    const repeat = isRepeat(event);
    try {
      if (!repeat) action(event);
    } finally {
      last = performance.now();
    }
  }

  // A click on the element, or on what inside it matches `within`: the
  // mouse, Enter and Space on a button all come as one. The action takes
  // the event.
  function onClick(element, action, within = null) {
    element.addEventListener("click", (event) => {
      if (within === null || event.target.closest(within)) press(event, action);
    });
  }

  // Enter in a field, which a browser would otherwise take as nothing or
  // as a form's submission.
  function onEnter(element, action) {
    element.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.isComposing) return;
      event.preventDefault();
      press(event, action);
    });
  }

  // A form's submission (Enter in its fields, its submit button).
  function onSubmit(form, action) {
    form.addEventListener("submit", (event) => {
      event.preventDefault();
      press(event, action);
    });
  }

  const moveOn = () => { last = -Infinity; };
  document.addEventListener("input", moveOn, true);
  document.addEventListener("change", moveOn, true);
  document.addEventListener("keydown", (event) => {
    if (event.key === "Tab") moveOn();
  }, true);

  return { onClick, onEnter, onSubmit };
})();
