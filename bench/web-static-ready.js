// The benchmark's page without the engine: the same window, ready as soon as
// its markup and styles are in and the focus stands on the first control,
// as the calculator's own page is once its engine has loaded too.
const form = document.querySelector('[data-control="Form1"]');
document.querySelector('.desk').inert = false;
form.querySelector('input:not([type="radio"]), input:checked, button').focus();
document.documentElement.setAttribute('data-ready', '');
performance.mark('tobarin-ready');
